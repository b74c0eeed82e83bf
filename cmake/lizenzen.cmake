# Writes the bundle's LIZENZEN.txt: the licence notice of expat, which csv2vdp.exe holds
# linked in, and the Debian revision it was built from. CR LF, as Info.txt beside it.
# Run as: cmake -DEXPAT_ROOT=<dir of tools/expat_win.sh> -DOUT=<file> -P lizenzen.cmake
file(READ "${EXPAT_ROOT}/stamp" revision)
string(STRIP "${revision}" revision)
file(READ "${EXPAT_ROOT}/COPYING" notice)
string(REPLACE "\r\n" "\n" notice "${notice}")
set(text "csv2vdp.exe enthaelt die Bibliothek expat, die XML-Dateien liest (UDDF, Subsurface).
Sie ist fest in das Programm eingebunden, gebaut aus Debians Quellpaket expat in
der Revision ${revision}. Ihr Lizenzhinweis:

${notice}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
