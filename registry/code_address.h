#pragma once

// The address in the calling function that this call returns to: where an
// error was raised, for the failure report.
const void* CallerAddress();
