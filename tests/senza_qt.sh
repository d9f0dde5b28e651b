#!/bin/sh
# Usage: senza_qt.sh WITH_QT PROGRAM...
# Fails when a PROGRAM loads a Qt library (libQt*), or when WITH_QT (a
# program that does use Qt) shows none: then the check itself sees nothing.
set -u
if ! ldd "$1" | grep -q 'libQt[0-9]*[A-Za-z]*\.so'; then
    echo "no Qt library seen in $1: the check cannot see Qt" >&2
    exit 1
fi
shift
esito=0
for programma in "$@"; do
    qt=$(ldd "$programma" | grep 'libQt[0-9]*[A-Za-z]*\.so')
    if [ -n "$qt" ]; then
        echo "$programma loads Qt:" >&2
        echo "$qt" >&2
        esito=1
    fi
done
exit $esito
