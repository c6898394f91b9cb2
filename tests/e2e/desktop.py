"""A person at an X display: a private Xvfb server, and xdotool for the
keyboard and the mouse. Shared by the end-to-end test and the screenshot
script."""
import os
import shutil
import subprocess
import time

TIMEOUT = 20


def px(twips):
    return (twips + 7) // 15


class Desktop:
    """An Xvfb display and xdotool, the hands of the person at it."""

    def __init__(self, workdir):
        self.workdir = workdir
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-dpi", "96", "-nolisten", "tcp"],
            pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.display = ":" + pipe.readline().strip()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("QT_QPA_PLATFORM", None)

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True,
                              capture_output=True, text=True, timeout=TIMEOUT).stdout.strip()

    def wait_for_window(self, title_regex):
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title_regex],
                                   env=self.env, capture_output=True, text=True).stdout.split()
            if found:
                window = found[-1]
                self.xdotool("windowfocus", "--sync", window)
                time.sleep(0.3)  # let the window settle its focus
                return window
            time.sleep(0.1)
        self.screenshot("timeout")
        raise AssertionError(f"no window titled {title_regex!r} appeared")

    def wait_until_gone(self, window):
        deadline = time.monotonic() + TIMEOUT
        while time.monotonic() < deadline:
            visible = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."], env=self.env,
                                     capture_output=True, text=True).stdout.split()
            if window not in visible:
                return
            time.sleep(0.1)
        raise AssertionError(f"window {window} stayed open")

    def client_offset(self, window, client_height):
        """Where the client area starts: below the menu bar, if any."""
        height = int(self.xdotool("getwindowgeometry", "--shell", window).split("HEIGHT=")[1].split()[0])
        return height - client_height

    def click(self, window, x, y):
        self.xdotool("mousemove", "--window", window, x, y)
        self.xdotool("click", 1)
        time.sleep(0.15)

    def type(self, text):
        self.xdotool("type", "--delay", 30, text)

    def key(self, *keys):
        self.xdotool("key", "--delay", 60, *keys)
        time.sleep(0.15)

    def screenshot(self, name):
        if shutil.which("import"):
            subprocess.run(["import", "-window", "root", str(self.workdir / f"{name}.png")], env=self.env)

    def close(self):
        self.server.terminate()
        self.server.wait()


def control_centre(left, top, width, height, frame=(0, 0)):
    return px(frame[0] + left) + px(width) // 2, px(frame[1] + top) + px(height) // 2


def box_of(left, top, height, frame):
    """Where a person clicks a check box or option button: on its box."""
    return px(frame[0] + left) + 6, px(frame[1] + top) + px(height) // 2
