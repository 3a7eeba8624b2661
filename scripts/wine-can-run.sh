#!/bin/sh
# Succeeds when Wine can run the 32-bit Windows build on this machine. Some
# kernels (and some sandboxes) refuse 32-bit executables, and Wine's 32-bit
# loader is one; then this prints why and fails.
if wine --version >/dev/null 2>&1; then
  exit 0
fi
echo "Wine cannot run 32-bit programs on this machine: its kernel refuses i386 executables." >&2
exit 1
