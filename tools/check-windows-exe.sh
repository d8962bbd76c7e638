#!/usr/bin/env bash
# Checks a built Verbacap.exe without running it: the processor it is for, that it imports only
# the system's DLLs (the C and C++ runtimes are linked in), and that its manifest names the same
# processor architecture (Windows refuses a 64-bit program whose manifest says X86).
#   tools/check-windows-exe.sh EXE i686|x86_64
set -euo pipefail

exe=$1
arch=$2
case "$arch" in
  i686) format=pei-i386 manifest_arch=X86 ;;
  x86_64) format=pei-x86-64 manifest_arch=amd64 ;;
  *)
    echo "usage: $0 EXE i686|x86_64" >&2
    exit 2
    ;;
esac
objdump=$arch-w64-mingw32-objdump

status=0
headers=$("$objdump" -p "$exe")
if ! grep -q "file format $format" <<<"$headers"; then
  echo "$exe: not a $format executable"
  status=1
fi
if ! grep -q "Subsystem.*(Windows GUI)" <<<"$headers"; then
  echo "$exe: not a Windows GUI program"
  status=1
fi

system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|shlwapi|winmm|ole32|oleaut32|msvcrt)\.dll$'
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
for dll in $imports; do
  if ! grep -Eq "$system_dlls" <<<"$dll"; then
    echo "$exe: imports $dll, which is not a system DLL"
    status=1
  fi
done

# The 32-bit program runs on Windows XP, whose msvcrt.dll has none of the "secure" _s functions.
if [ "$arch" = i686 ]; then
  secure=$(sed -n '/DLL Name: msvcrt.dll/,/DLL Name/p' <<<"$headers" |
    awk 'NF == 3 && $1 ~ /^[0-9a-f]+$/ && $3 ~ /_s$/ {print $3}' | tr '\n' ' ')
  if [ -n "$secure" ]; then
    echo "$exe: imports from msvcrt.dll what Windows XP lacks: $secure"
    status=1
  fi
fi

if ! grep -aq "processorArchitecture=\"$manifest_arch\"" "$exe"; then
  echo "$exe: its manifest does not name processorArchitecture=\"$manifest_arch\""
  status=1
fi
if grep -a 'processorArchitecture=' "$exe" | grep -aqv "processorArchitecture=\"$manifest_arch\""; then
  echo "$exe: its manifest names another processor architecture too"
  status=1
fi

if [ "$status" -eq 0 ]; then
  echo "$exe: $format, imports $(echo $imports | tr ' ' ','), manifest $manifest_arch: ok"
fi
exit "$status"
