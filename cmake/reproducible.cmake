# The same sources give the same executable, wherever and whenever they are
# built: no build folder in the binary, no link or resource time stamps.
add_compile_options(
  -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
  -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
if(WIN32)
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
