#!/usr/bin/env bash
# The caption test in a Wine prefix and an X server of its own, with room for the window at 144
# dots per inch. $1: captions_test.exe; $2: the picture it leaves.
E2E_SCREEN=1280x1024x24
source "$(dirname "$0")/../e2e/driver.sh"
e2e_setup "$1"
"$WINE" "$1" "$2"
