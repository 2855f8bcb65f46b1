#!/usr/bin/env python3
"""Checks the form of the built program: a single 32-bit GUI-subsystem
executable of at most 256 KiB that Windows XP and later load, importing only
functions of Windows system DLLs that XP has (and not user32, loaded only for
the failure report), with one icon group MAINICON holding one 32x32
16-colour image, a version resource free of the words that make Windows ask
for elevation, and no manifest.

Usage: check_executable_form.py PROGRAM.exe
"""
import struct
import sys

MAX_SIZE = 256 * 1024
OLDEST_WINDOWS = (5, 1)  # Windows XP
# Every function the program may import, each one present in Windows XP.
# A new import fails the check until it is known to exist there too.
XP_IMPORTS = {
    "advapi32.dll": set("""
        RegCloseKey RegCreateKeyExA RegFlushKey RegOpenKeyExA RegSetValueExA""".split()),
    "kernel32.dll": set("""
        CloseHandle CreateSemaphoreW DeleteCriticalSection EnterCriticalSection ExitProcess
        FormatMessageA FreeLibrary GetCurrentThreadId GetLastError GetModuleFileNameA
        GetModuleHandleA GetModuleHandleExA GetModuleHandleW GetProcAddress GetStartupInfoA
        InitializeCriticalSection LeaveCriticalSection LoadLibraryA LoadLibraryW
        OutputDebugStringA RaiseException ReleaseSemaphore RtlCaptureContext SetLastError
        SetUnhandledExceptionFilter Sleep TlsAlloc TlsFree TlsGetValue TlsSetValue
        UnhandledExceptionFilter VirtualProtect VirtualQuery WaitForSingleObject""".split()),
    "msvcrt.dll": set("""
        __getmainargs __initenv __p__acmdln __p__commode __p__fmode __set_app_type
        __setusermatherr _amsg_exit _cexit _errno _initterm _iob _onexit abort calloc exit
        fprintf free fwrite malloc memchr memcmp memcpy memmove memset realloc signal strcmp
        strlen strncmp vfprintf _read _close""".split()),
}
ELEVATION_WORDS = ("install", "setup", "update", "upgrade", "patch")
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class Image:
    def __init__(self, data):
        self.data = data
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        self.machine = self.u16(pe + 4)
        sections = self.u16(pe + 6)
        optional = pe + 24
        self.magic = self.u16(optional)
        self.subsystem = self.u16(optional + 68)
        self.os_version = (self.u16(optional + 40), self.u16(optional + 42))
        self.subsystem_version = (self.u16(optional + 48), self.u16(optional + 50))
        directories = optional + 96
        self.directories = [(self.u32(directories + 8 * i), self.u32(directories + 8 * i + 4))
                            for i in range(self.u32(optional + 92))]
        table = optional + self.u16(pe + 20)
        self.sections = []
        for i in range(sections):
            h = table + 40 * i
            self.sections.append((self.u32(h + 12), self.u32(h + 8), self.u32(h + 20),
                                  self.u32(h + 16)))

    def u16(self, at):
        return struct.unpack_from("<H", self.data, at)[0]

    def u32(self, at):
        return struct.unpack_from("<I", self.data, at)[0]

    def offset(self, rva):
        for start, size, raw, raw_size in self.sections:
            if start <= rva < start + max(size, raw_size):
                return raw + rva - start
        raise ValueError(f"rva {rva:#x} is in no section")

    def cstring(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii")

    def imports(self):
        """{dll: [function names, or #ordinals]}"""
        rva, _ = self.directories[1]
        found = {}
        at = self.offset(rva)
        while self.u32(at + 12) != 0:
            functions = found.setdefault(self.cstring(self.u32(at + 12)), [])
            thunk = self.offset(self.u32(at) or self.u32(at + 16))
            while self.u32(thunk) != 0:
                entry = self.u32(thunk)
                functions.append(f"#{entry & 0xFFFF}" if entry & 0x80000000
                                 else self.cstring(entry + 2))
                thunk += 4
            at += 20
        return found

    def resources(self):
        """{type: {name: [data bytes per language]}}, names as str or int."""
        base_rva, _ = self.directories[2]
        if base_rva == 0:
            return {}
        base = self.offset(base_rva)

        def entries(directory):
            count = self.u16(directory + 12) + self.u16(directory + 14)
            for i in range(count):
                e = directory + 16 + 8 * i
                name, target = self.u32(e), self.u32(e + 4)
                if name & 0x80000000:
                    s = base + (name & 0x7FFFFFFF)
                    length = self.u16(s)
                    name = self.data[s + 2:s + 2 + 2 * length].decode("utf-16-le")
                yield name, target

        def leaf(target):
            data_entry = base + target
            rva, size = self.u32(data_entry), self.u32(data_entry + 4)
            at = self.offset(rva)
            return self.data[at:at + size]

        tree = {}
        for rtype, t1 in entries(base):
            tree[rtype] = {}
            for name, t2 in entries(base + (t1 & 0x7FFFFFFF)):
                tree[rtype][name] = [leaf(t3) for _, t3 in entries(base + (t2 & 0x7FFFFFFF))]
        return tree


def check(path):
    problems = []
    data = open(path, "rb").read()
    if len(data) > MAX_SIZE:
        problems.append(f"{len(data)} bytes, more than {MAX_SIZE}")
    image = Image(data)
    if image.machine != 0x14C or image.magic != 0x10B:
        problems.append(f"not a 32-bit x86 executable (machine {image.machine:#x})")
    if image.subsystem != 2:
        problems.append(f"subsystem {image.subsystem}, not the GUI subsystem (2)")
    for name, version in (("subsystem", image.subsystem_version), ("OS", image.os_version)):
        if version > OLDEST_WINDOWS:
            problems.append(f"needs {name} version {version[0]}.{version[1]:02}, XP has 5.01")
    for dll, functions in image.imports().items():
        known = XP_IMPORTS.get(dll.lower())
        if known is None:
            problems.append(f"imports {dll}")
            continue
        for function in functions:
            if function not in known:
                problems.append(f"imports {dll} {function}, not known to exist on Windows XP")

    resources = image.resources()
    groups = resources.get(RT_GROUP_ICON, {})
    if list(groups) != ["MAINICON"]:
        problems.append(f"icon groups {list(groups)}, expected only MAINICON")
    else:
        group = groups["MAINICON"][0]
        count = struct.unpack_from("<H", group, 4)[0]
        if count != 1:
            problems.append(f"MAINICON holds {count} images, expected 1")
        else:
            width, height, colours, _, _, bits, _, icon_id = struct.unpack_from("<BBBBHHIH", group, 6)
            if (width, height, colours) != (32, 32, 16):
                problems.append(f"MAINICON image is {width}x{height}, {colours} colours")
            icon = resources.get(RT_ICON, {}).get(icon_id)
            if not icon:
                problems.append("MAINICON's image is missing")
            else:
                _, w, h, _, bitcount = struct.unpack_from("<IiiHH", icon[0], 0)
                if (w, h, bitcount) != (32, 64, 4):
                    problems.append(f"icon bitmap {w}x{h // 2} at {bitcount} bits per pixel")
    if len(resources.get(RT_ICON, {})) != 1:
        problems.append(f"{len(resources.get(RT_ICON, {}))} icon images, expected 1")

    versions = [d for langs in resources.get(RT_VERSION, {}).values() for d in langs]
    if len(versions) != 1:
        problems.append(f"{len(versions)} version resources, expected 1")
    else:
        text = versions[0].decode("utf-16-le", errors="replace").lower()
        for word in ELEVATION_WORDS:
            if word in text:
                problems.append(f"version resource contains '{word}'")
        for field in ("ProductName", "FileDescription", "FileVersion"):
            if field.lower() not in text:
                problems.append(f"version resource lacks {field}")
    if RT_MANIFEST in resources:
        problems.append("carries a manifest")
    name = path.replace("\\", "/").rsplit("/", 1)[-1].lower()
    for word in ELEVATION_WORDS:
        if word in name:
            problems.append(f"file name contains '{word}'")
    return problems


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    problems = check(sys.argv[1])
    for problem in problems:
        print(f"{sys.argv[1]}: {problem}")
    if problems:
        sys.exit(1)
    print(f"{sys.argv[1]}: form as expected")


if __name__ == "__main__":
    main()
