#!/usr/bin/env bash
# Installation: `cmake --install` into a temporary root, then the Debian package built by CPack,
# unpacked into another; both hold the program and the instructor's report, its desktop entry, its icon, its AppStream
# metainfo (valid to appstreamcli) and their manual pages; the package passes lintian without an
# error, declares what it needs and would install here, and the packaged program starts.
# $1: the build directory.
source "$(dirname "$0")/driver.sh"

build=$1
expect_installed() {
    local root=$1
    [ -x "$root/bin/classjournal" ] && [ -x "$root/bin/classjournal-report" ] || e2e_fail "no executables in $root/bin"
    local entry=$root/share/applications/classjournal.desktop
    [ -f "$entry" ] || e2e_fail "no desktop entry in $root/share/applications"
    local key
    for key in '^Type=Application$' '^Name=Class Journal$' '^Comment=.' '^Exec=classjournal$' \
        '^Icon=classjournal$' '^Categories=Education;$'; do
        grep -q "$key" "$entry" || e2e_fail "the desktop entry lacks $key"
    done
    grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/classjournal.svg" 2>/dev/null ||
        e2e_fail "no icon in $root/share/icons/hicolor/scalable/apps"
    appstreamcli validate --no-net "$root/share/metainfo/invalid.classjournal.ClassJournal.metainfo.xml" ||
        e2e_fail "no valid AppStream metainfo in $root/share/metainfo"
    # man says nothing on its error output when the page is there and well formed.
    local page
    for page in classjournal classjournal-report; do
        if man --warnings -l "$root/share/man/man1/$page.1.gz" 2>&1 >/dev/null | grep .; then
            e2e_fail "the manual page $page.1 in $root/share/man/man1 is missing or draws warnings"
        fi
    done
}

e2e_setup "$build/app/classjournal"
cmake --install "$build" --prefix "$E2E_DIR/installed" >/dev/null
expect_installed "$E2E_DIR/installed"

cpack --config "$build/CPackConfig.cmake" -B "$E2E_DIR/package" >"$E2E_DIR/cpack.log" 2>&1 ||
    e2e_fail "CPack failed: $(cat "$E2E_DIR/cpack.log")"
package=$(ls "$E2E_DIR"/package/classjournal_*.deb)
declared=$(dpkg-deb --field "$package" Depends | tr ',' '\n' | awk '{ print $1 }')
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation libc6 libstdc++6; do
    grep -qx "$needed" <<<"$declared" || e2e_fail "the package does not declare $needed"
done
lintian --fail-on error "$package" || e2e_fail "lintian finds errors in the package"
apt-get install --simulate "$package" >"$E2E_DIR/apt.log" 2>&1 ||
    e2e_fail "the package would not install: $(cat "$E2E_DIR/apt.log")"
dpkg-deb --extract "$package" "$E2E_DIR/unpacked"
expect_installed "$E2E_DIR/unpacked/usr"

E2E_PROGRAM=$E2E_DIR/unpacked/usr/bin/classjournal
e2e_start_program
e2e_answer_start_up 1 "Student One" STO 2
e2e_read_message
e2e_expect_exit
"$E2E_DIR/unpacked/usr/bin/classjournal-report" --help | grep -q '^Usage: classjournal-report' ||
    e2e_fail "the packaged report does not start"
echo "PASS: the install and the package hold the program and what a desktop and Debian ask of it"
