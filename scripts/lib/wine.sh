# Wine for the Windows side: packages, 32-bit execution, and test prefixes.

# wine runs 32-bit Windows programs through its 32-bit Linux loader. Where the
# kernel runs no 32-bit Linux code (IA-32 emulation off), route such programs
# through qemu-user instead: slow, but the same Wine.
ensure_i386_execution() {
  # Read only by qemu-i386: Wine needs the whole 32-bit address space for its
  # own layout.
  export QEMU_RESERVED_VA=0xffff0000
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    return 0
  fi
  echo "this kernel does not run 32-bit programs: running them through qemu-i386"
  require_packages qemu-user-static
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  local misc=/proc/sys/fs/binfmt_misc
  [ -e "$misc/register" ] || "${sudo[@]}" mount -t binfmt_misc binfmt_misc "$misc"
  if [ ! -e "$misc/qemu-i386" ]; then
    # 32-bit little-endian ELF executables and shared objects for the i386;
    # F: the interpreter is opened now, so it works in any mount namespace.
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' |
      "${sudo[@]}" tee "$misc/register" >/dev/null
  fi
  /usr/lib/wine/wine --version >/dev/null
}

# Wine with 32-bit support, the virtual X server and the means to run 32-bit
# code.
require_wine() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" dpkg --add-architecture i386
    "${sudo[@]}" apt-get update -q
  fi
  require_packages wine wine32:i386 wine64 xvfb xauth
  ensure_i386_execution
}

# wine64 runs Wine's own 64-bit tools (reg, winecfg) at full speed in a 64-bit
# prefix; wine picks the 32-bit loader for everything.
wine64_or_wine() {
  if [ -x /usr/lib/wine/wine64 ] && [ "${WINEARCH:-win64}" != win32 ]; then
    /usr/lib/wine/wine64 "$@"
  else
    wine "$@"
  fi
}

# Makes the Wine prefix $WINEPREFIX if it does not exist yet, without asking
# to install Mono or Gecko.
make_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  echo "making the Wine prefix $WINEPREFIX (this takes a few minutes where 32-bit code is emulated)"
  local status=0
  WINEDLLOVERRIDES=mscoree,mshtml= timeout 1200 wineboot -i >"$WINEPREFIX.log" 2>&1 || status=$?
  wineserver -w
  if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then
    cat "$WINEPREFIX.log"
    echo "could not make the Wine prefix $WINEPREFIX (wineboot ended with $status)"
    return 1
  fi
  # Under qemu a helper of wineboot's can fail after the prefix is complete.
  [ "$status" -eq 0 ] || echo "wineboot ended with $status, but the prefix is complete"
}

# Makes a new Wine prefix for the tests at $WINEPREFIX (WINEARCH picks 32 or
# 64 bits), whose unhandled-exception filter finds no debugger to start and so
# lets a program's own failure report run.
make_test_prefix() {
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  make_prefix
  local aedebug='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' view
  # Both registry views where there are two; a 32-bit prefix has one. Should
  # this fail, the failure report test says so.
  for view in 32 64; do
    wine64_or_wine reg add "$aedebug" /v Debugger /d 'C:\no-debugger-here.exe' /f "/reg:$view" \
      >/dev/null 2>&1 || true
  done
}

# Sets the Windows version that Wine reports to programs in $WINEPREFIX
# (winxp, win7, win10, ...), as winecfg /v does, but without starting a
# program: Wine reads it from HKCU\Software\Wine, value Version. The prefix's
# wineserver is stopped first, so that it saves its registry and reads it
# anew.
set_windows_version() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  printf '\n[Software\\\\Wine] 0\n"Version"="%s"\n' "$1" >>"$WINEPREFIX/user.reg"
}
