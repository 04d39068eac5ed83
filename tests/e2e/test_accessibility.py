"""What a screen reader finds in the program: the address box, the tab strip
and its tabs, the toolbar buttons, the menu items, the status bar parts and
the page, each with a name and a role.

Usage: python3 test_accessibility.py <path-to-tavern-browser>

The program runs from a folder of its own with a config.ini naming a page
served here on 127.0.0.1, inside a session bus of its own that can start
only the accessibility bus. Exits non-zero when a check fails.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from harness import PageServer, alive, gbk_config, web_processes_of

HOME_TITLE = "无障碍测试页"
HOME_PAGE = ("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title></head>"
             "<body><p>你好</p></body></html>" % HOME_TITLE)

BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=%(root)s</listen>
  <servicedir>%(root)s/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""

A11Y_SERVICE = "[D-BUS Service]\nName=org.a11y.Bus\nExec=/usr/libexec/at-spi-bus-launcher\n"


class Failures:
    def __init__(self):
        self.items = []

    def check(self, ok, what):
        print(("ok   " if ok else "FAIL ") + what, flush=True)
        if not ok:
            self.items.append(what)


def start_xvfb_if_needed():
    if os.environ.get("DISPLAY"):
        return None
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                             "-noreset", "-nolisten", "tcp"], pass_fds=[write_end])
    os.close(write_end)
    number = os.read(read_end, 16).decode().strip()
    os.close(read_end)
    os.environ["DISPLAY"] = ":" + number
    return xvfb


def outer(program):
    """Prepares the folders and runs the checks inside a session bus of their own."""
    root = tempfile.mkdtemp(prefix="tavern-a11y-")
    xvfb = start_xvfb_if_needed()
    try:
        run = os.path.join(root, "run")
        os.makedirs(os.path.join(root, "services"))
        for name in ("cache", "data", "config/gtk-3.0", "runtime", "run"):
            os.makedirs(os.path.join(root, name), exist_ok=True)
        os.chmod(os.path.join(root, "runtime"), 0o700)
        with open(os.path.join(root, "config/gtk-3.0/settings.ini"), "w") as f:
            f.write("[Settings]\ngtk-print-backends = file\n")
        with open(os.path.join(root, "services/org.a11y.Bus.service"), "w") as f:
            f.write(A11Y_SERVICE)
        with open(os.path.join(root, "bus.conf"), "w") as f:
            f.write(BUS_CONFIG % {"root": root})
        shutil.copy2(program, os.path.join(run, "tavern-browser"))

        env = dict(os.environ)
        env.pop("NO_AT_BRIDGE", None)
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env.update({"GTK_USE_PORTAL": "0", "XDG_CACHE_HOME": os.path.join(root, "cache"),
                    "XDG_DATA_HOME": os.path.join(root, "data"),
                    "XDG_CONFIG_HOME": os.path.join(root, "config"),
                    "XDG_RUNTIME_DIR": os.path.join(root, "runtime")})
        inner = subprocess.run(
            ["dbus-run-session", "--config-file=" + os.path.join(root, "bus.conf"), "--",
             sys.executable, os.path.abspath(__file__), "--inner", run], env=env, timeout=240)
        return inner.returncode
    finally:
        if xvfb is not None:
            xvfb.terminate()
            xvfb.wait()
        shutil.rmtree(root, ignore_errors=True)


def find_all(node, match, found, depth=0):
    if node is None or depth > 40:
        return found
    try:
        if match(node):
            found.append(node)
        for i in range(node.childCount):
            find_all(node.getChildAtIndex(i), match, found, depth + 1)
    except Exception:  # a node that went away while we walked
        pass
    return found


def role(node):
    return node.getRoleName()


def inner(run):
    import pyatspi

    httpd = PageServer({"/home.html": HOME_PAGE})
    httpd.__enter__()
    home = httpd.url("/home.html")
    with open(os.path.join(run, "config.ini"), "wb") as f:
        f.write(gbk_config(home))
    program = subprocess.Popen([os.path.join(run, "tavern-browser")], cwd=run)
    results = Failures()
    try:
        app = None
        deadline = time.monotonic() + 30
        while app is None and time.monotonic() < deadline:
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                candidate = desktop.getChildAtIndex(i)
                if candidate is not None and candidate.name == "tavern-browser":
                    app = candidate
            time.sleep(0.2)
        results.check(app is not None, "the program is on the accessibility bus")
        if app is None:
            return 1

        def wait_for(match, what, timeout=30):
            deadline = time.monotonic() + timeout
            while time.monotonic() < deadline:
                found = find_all(app, match, [])
                if found:
                    results.check(True, what)
                    return found
                time.sleep(0.3)
            results.check(False, what)
            return []

        def named(name, *roles):
            return lambda n: n.name == name and (not roles or role(n) in roles)

        # The first page has loaded: its tab is current and the address box holds it.
        tabs = wait_for(lambda n: role(n) == "page tab" and n.name.strip() == HOME_TITLE,
                        "a page tab named after the home page's title")
        if tabs:
            results.check(tabs[0].getState().contains(pyatspi.STATE_SELECTED),
                          "the current page tab reads as selected")
        all_tabs = find_all(app, lambda n: role(n) == "page tab" and n.getState().contains(
            pyatspi.STATE_SHOWING), [])
        results.check(len(all_tabs) == 1, "only the home page's tab is shown (the blank tab hidden)")
        results.check(bool(find_all(app, named("页面标签", "page tab list"), [])),
                      "the tab strip reads as a page tab list named 页面标签")

        address = wait_for(named("地址", "text"), "the address box reads as text named 地址")
        if address:
            deadline = time.monotonic() + 20
            text = ""
            while time.monotonic() < deadline:
                text = address[0].queryText().getText(0, -1)
                if text == home:
                    break
                time.sleep(0.3)
            results.check(text == home, "the address box's text is the home page (%r)" % text)
        results.check(bool(find_all(app, named("地址：", "label"), [])), "the label 地址： is read")

        for tooltip in ("转到首页", "后退", "前进", "停止", "刷新", "字体", "打印"):
            buttons = find_all(app, named(tooltip, "push button"), [])
            results.check(bool(buttons), "toolbar button %s is a push button by name" % tooltip)
        results.check(bool(find_all(app, named("工具栏", "tool bar"), [])), "the toolbar is named")

        for caption in ("文件(F)", "浏览(V)", "关于(A)"):
            results.check(bool(find_all(app, named(caption, "menu"), [])),
                          "menu %s is on the menu bar" % caption)
        for caption in ("另存为(A)", "页面设置(U)", "打印预览(V)", "打印本页(P)", "退出(X)",
                        "前进(F)", "后退(B)", "首页(H)", "首页设置(G)", "刷新(R)", "停止(S)",
                        "最大(G)", "最小(A)", "关于浏览器(B)"):
            results.check(bool(find_all(app, named(caption, "menu item"), [])),
                          "menu item %s is read by its caption" % caption)
        results.check(not find_all(app, lambda n: n.name.startswith("子夹右键"), []),
                      "the hidden pop-up menu is not on the menu bar")

        bars = find_all(app, named("状态栏", "status bar"), [])
        results.check(bool(bars), "the status bar reads as a status bar named 状态栏")
        if bars:
            parts = find_all(bars[0], lambda n: role(n) == "label", [])
            results.check(len(parts) == 2, "the status bar has two parts (%d)" % len(parts))
            results.check(bool(parts) and parts[0].name == "状态：", "part 0 reads 状态：")
            if len(parts) == 2:
                deadline = time.monotonic() + 20
                while time.monotonic() < deadline and parts[1].name != "准备就绪":
                    time.sleep(0.3)
                results.check(parts[1].name == "准备就绪",
                              "part 1 reads the status text (%r)" % parts[1].name)
        results.check(bool(find_all(app, lambda n: n.name == "页面" and role(n) != "label", [])),
                      "the page is named 页面")

        # Exit from the menu, as a screen reader user would, leaves nothing behind.
        engine = web_processes_of(program.pid)
        results.check(bool(engine), "the page runs in web processes of the program")
        exits = find_all(app, named("退出(X)", "menu item"), [])
        if exits:
            action = exits[0].queryAction()
            action.doAction(0)
        try:
            code = program.wait(timeout=20)
        except subprocess.TimeoutExpired:
            code = None
        results.check(code == 0, "退出(X) ends the program with exit code 0 (%r)" % code)
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline and any(alive(p) for p in engine):
            time.sleep(0.2)
        results.check(not any(alive(p) for p in engine), "no web process outlives the program")
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
        httpd.__exit__(None, None, None)
    print("all checks passed" if not results.items else "%d checks failed" % len(results.items))
    return 1 if results.items else 0


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--inner":
        sys.exit(inner(sys.argv[2]))
    if len(sys.argv) != 2:
        print(__doc__)
        sys.exit(2)
    sys.exit(outer(os.path.abspath(sys.argv[1])))
