#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the built program as a person would: a real X server (Xvfb), real
key presses and mouse clicks (xdotool), the real save dialog and the real
archiver. Checks the bytes of the saved .arena file and the archive's entry.

Usage: drive_mapwright.py PATH_TO_MAPWRIGHT
"""
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from desktop import TIMEOUT, Desktop, box_of, control_centre

EXPECTED = (b'{\r\n'
            b'map             "q3dm17"\r\n'
            b'bots            "Sarge Sarge Doom"\r\n'
            b'longname        "The Longest Yard"\r\n'
            b'fraglimit       "20"\r\n'
            b'type            "ffa team"\r\n'
            b'}\r\n')
EXPECTED_25 = EXPECTED.replace(b'"20"', b'"25"')


def wait_for_bytes(path, expected):
    deadline = time.monotonic() + TIMEOUT
    while not (path.exists() and path.read_bytes() == expected) and time.monotonic() < deadline:
        time.sleep(0.1)
    got = path.read_bytes() if path.exists() else None
    assert got == expected, f"{path.name} differs:\n{got!r}\n{expected!r}"


def answer_save_dialog(desk, title, path):
    dialog = desk.wait_for_window(title)
    # The dialog opens with its file name field focused; replace its text.
    desk.key("ctrl+a")
    desk.type(str(path))
    desk.key("Return")
    desk.wait_until_gone(dialog)


def write_anyway(desk, archive):
    """Answers the check's report with Write anyway, by the button's access
    key, and the message that follows; returns the archive's arena entry."""
    report = desk.wait_for_window("^What the game will read$")
    desk.key("alt+w")
    desk.wait_until_gone(report)
    message = desk.wait_for_window("^Mapwright$")
    desk.key("Return")
    desk.wait_until_gone(message)
    return subprocess.run(["unzip", "-p", str(archive), "scripts/q3dm17.arena"], capture_output=True,
                          check=True).stdout


def main():
    program = Path(sys.argv[1]).resolve()
    workdir = Path(tempfile.mkdtemp(prefix="mapwright-e2e-"))
    runtime = workdir / "runtime"
    runtime.mkdir(mode=0o700)
    desk = Desktop(workdir)
    env = dict(desk.env, XDG_CONFIG_HOME=str(workdir / "config"), XDG_RUNTIME_DIR=str(runtime),
               HOME=str(workdir))
    app = subprocess.Popen([str(program)], env=env)
    try:
        run(desk, workdir)
        # Alt+H belongs to the Help button, not to the Help menu.
        desk.wait_for_window("^Quake 3 Mapwright$")
        desk.key("alt+h")
        help_window = desk.wait_for_window("^So, are you stupid or something\\?$")
        desk.click(help_window, *control_centre(3600, 2400, 735, 255, (120, 0)))  # Done
        desk.wait_until_gone(help_window)
        desk.wait_for_window("^Quake 3 Mapwright$")
        desk.key("alt+f")
        desk.key("e")
        assert app.wait(timeout=TIMEOUT) == 0, "Exit did not end the program cleanly"
        for arguments in ([workdir / "out" / "maps.pk3"], [workdir / "out" / "missing.arena"]):
            app = subprocess.Popen([str(program), *map(str, arguments)], env=env)
            (open_and_write_back if arguments[0].exists() else told_missing)(desk, workdir)
            desk.wait_for_window("^Quake 3 Mapwright$")
            desk.key("alt+f")
            desk.key("e")
            assert app.wait(timeout=TIMEOUT) == 0, "Exit did not end the program cleanly"
        shutil.rmtree(workdir)
        print("end-to-end run: 1 passed, 0 failed")
    except BaseException:
        desk.screenshot("failure")
        print(f"end-to-end run failed; screenshots in {workdir}", file=sys.stderr)
        app.kill()
        raise
    finally:
        desk.close()


def run(desk, workdir):
    main_window = desk.wait_for_window("^Quake 3 Mapwright$")
    top = desk.client_offset(main_window, 380)
    frame1, frame2, frame3 = (120, 0), (240, 1080), (120, 3480)

    def click_main(x, y):
        desk.click(main_window, x, y + top)

    # The focus starts in the title; Tab walks on to the file name.
    desk.type("The Longest Yard")
    desk.key("Tab")
    desk.type("  q3dm17 ")
    click_main(*box_of(240, 240, 252, frame2))   # Free For All
    click_main(*box_of(2280, 240, 252, frame2))  # Team Death Match
    click_main(*control_centre(960, 2520, 612, 288, frame1))  # frag limit
    desk.key("Home", "Delete", "Delete")
    # The x is refused, and so are Alt with a key no access key takes and
    # Ctrl+Backspace, which would delete a word; each comes while the field
    # has room for it.
    desk.type("2")
    desk.key("alt+x", "alt+a", "alt+minus", "ctrl+BackSpace")
    desk.type("x0")

    # Bots: Sarge twice and Doom, through the bot window.
    click_main(*control_centre(4440, 3000, 255, 255, frame1))
    bots = desk.wait_for_window("^Bot Selection$")
    add = control_centre(1320, 240, 975, 255)
    desk.type("Sarge")
    desk.click(bots, *add)
    desk.click(bots, *add)
    desk.click(bots, *control_centre(120, 240, 1092, 840))  # back into the catalogue
    desk.type("Doom")
    desk.click(bots, *add)
    desk.click(bots, *control_centre(2760, 1680, 855, 255))  # OK
    desk.wait_until_gone(bots)

    # Save route, through the real save dialog.
    click_main(*box_of(120, 480, 252, frame3))
    arena = workdir / "out" / "yard.arena"
    arena.parent.mkdir()
    click_main(*control_centre(3960, 4440, 975, 495))
    answer_save_dialog(desk, "^Create .Arena File$", arena)
    wait_for_bytes(arena, EXPECTED)

    # Saved again with another frag limit: the dialog offers the path just
    # used, and the file is replaced with no question before or after.
    click_main(*control_centre(960, 2520, 612, 288, frame1))
    desk.key("End", "BackSpace", "BackSpace")
    desk.type("25")
    click_main(*control_centre(3960, 4440, 975, 495))
    dialog = desk.wait_for_window("^Create .Arena File$")
    desk.key("Return")
    desk.wait_until_gone(dialog)
    wait_for_bytes(arena, EXPECTED_25)
    shown = desk.xdotool("search", "--onlyvisible", "--name", ".").split()
    assert shown == [main_window], f"windows open after the second save: {shown}"

    # Pk3 route, into a new archive, with the real archiver.
    click_main(*box_of(120, 240, 252, frame3))
    archive = workdir / "out" / "maps.pk3"
    click_main(*control_centre(3960, 4440, 975, 495))
    answer_save_dialog(desk, "^Add .arena file to PK3$", archive)
    # The new archive holds no map yet, which the game check reports; the
    # author writes it anyway, by the button's access key.
    entry = write_anyway(desk, archive)
    assert entry == EXPECTED_25, f"the archive's entry differs:\n{entry!r}"
    listing = subprocess.run(["unzip", "-Z1", str(archive)], capture_output=True, text=True, check=True).stdout
    assert listing.split() == ["scripts/q3dm17.arena"], listing
    assert not (workdir / "runtime" / "mapwright" / "drive-c" / "scripts").exists(), "staging folder left behind"


def open_and_write_back(desk, workdir):
    """`mapwright maps.pk3` opens the archive the first run made; Create,
    with nothing changed, writes its arena back as it was."""
    archive = workdir / "out" / "maps.pk3"
    # The archive holds no map: the check's report comes right after opening.
    report = desk.wait_for_window("^What the game will read$")
    desk.key("Escape")
    desk.wait_until_gone(report)
    desk.wait_for_window("^Quake 3 Mapwright$")
    desk.key("alt+c")
    dialog = desk.wait_for_window("^Add .arena file to PK3$")
    desk.key("Return")  # the dialog offers the archive it came from
    desk.wait_until_gone(dialog)
    entry = write_anyway(desk, archive)
    assert entry == EXPECTED_25, f"the entry written back differs:\n{entry!r}"


def told_missing(desk, workdir):
    """`mapwright missing.arena` says in the window that it cannot open it."""
    message = desk.wait_for_window("^Mapwright$")
    desk.key("Return")
    desk.wait_until_gone(message)
    assert not (workdir / "out" / "missing.arena").exists()


if __name__ == "__main__":
    main()
