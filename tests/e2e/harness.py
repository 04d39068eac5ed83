"""Runs the real program as a user meets it: its own folder with a
config.ini, pages served on 127.0.0.1, keys typed through the X server."""

import http.server
import os
import shutil
import signal
import subprocess
import tempfile
import threading
import time


class PageServer:
    """Serves `pages` ({path: html}) on 127.0.0.1 and records every path asked for."""

    def __init__(self, pages):
        self.pages = dict(pages)
        self.requests = []
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                server.requests.append(self.path)
                body = server.pages.get(self.path.split("?")[0])
                if body is None:
                    self.send_error(404)
                    return
                data = body.encode("utf-8")
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(data)))
                self.end_headers()
                self.wfile.write(data)

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)

    def url(self, path="/"):
        return "http://127.0.0.1:%d%s" % (self.httpd.server_address[1], path)

    def wait_for(self, path, timeout=20):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if any(r.split("?")[0] == path for r in self.requests):
                return True
            time.sleep(0.05)
        return False

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.httpd.shutdown()
        self.httpd.server_close()


def gbk_config(home_page):
    return ("[主页]\r\nhomepage=%s\r\n" % home_page).encode("gbk")


class RunFolder:
    """A folder holding a copy of the program, as an installation would."""

    def __init__(self, program):
        self.path = tempfile.mkdtemp(prefix="tavern-e2e-")
        self.program = os.path.join(self.path, "tavern-browser")
        shutil.copy2(program, self.program)
        self.home = tempfile.mkdtemp(prefix="tavern-e2e-home-")
        for name in ("cache", "data", "config/gtk-3.0", "runtime"):
            os.makedirs(os.path.join(self.home, name), exist_ok=True)
        os.chmod(os.path.join(self.home, "runtime"), 0o700)
        with open(os.path.join(self.home, "config/gtk-3.0/settings.ini"), "w") as f:
            f.write("[Settings]\ngtk-print-backends = file\n")

    @property
    def config(self):
        return os.path.join(self.path, "config.ini")

    def write_config(self, data):
        with open(self.config, "wb") as f:
            f.write(data)

    def read_config(self):
        with open(self.config, "rb") as f:
            return f.read()

    def environment(self):
        env = dict(os.environ)
        env.update(
            DBUS_SESSION_BUS_ADDRESS="disabled:",
            NO_AT_BRIDGE="1",
            GTK_USE_PORTAL="0",
            XDG_CACHE_HOME=os.path.join(self.home, "cache"),
            XDG_DATA_HOME=os.path.join(self.home, "data"),
            XDG_CONFIG_HOME=os.path.join(self.home, "config"),
            XDG_RUNTIME_DIR=os.path.join(self.home, "runtime"),
        )
        return env

    def start(self, prefix=()):
        """Starts the program, behind the command words in `prefix` if any."""
        return Program(self, prefix)

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)
        shutil.rmtree(self.home, ignore_errors=True)


def xdotool(*args, check=True):
    result = subprocess.run(("xdotool",) + args, capture_output=True, text=True, timeout=30)
    if check and result.returncode != 0:
        raise RuntimeError("xdotool %s: %s" % (" ".join(args), result.stderr.strip()))
    return result.stdout.strip()


class Program:
    """One run of the program, driven through the X server."""

    def __init__(self, folder, prefix=()):
        self.log = tempfile.TemporaryFile()
        self.process = subprocess.Popen(
            list(prefix) + [folder.program], cwd="/", env=folder.environment(),
            stdout=subprocess.DEVNULL, stderr=self.log)
        self.window = None

    def wait_window(self, title="酒馆浏览器", timeout=30):
        """Waits for a shown window whose title contains `title` and gives its id."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError("the program ended early: %s" % self.stderr())
            ids = xdotool("search", "--onlyvisible", "--pid", str(self.process.pid),
                          "--name", title, check=False).split()
            if ids:
                self.window = ids[0]
                xdotool("windowfocus", "--sync", self.window, check=False)
                return self.window
            time.sleep(0.1)
        raise RuntimeError("no window named %r appeared" % title)

    def focus(self, window=None):
        xdotool("windowfocus", "--sync", window or self.window, check=False)

    def key(self, *keys, window=None):
        self.focus(window)
        xdotool("key", "--clearmodifiers", "--delay", "60", *keys)

    def type(self, text, window=None):
        self.focus(window)
        xdotool("type", "--delay", "40", text)

    def wait_exit(self, timeout=20):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def stderr(self):
        self.log.seek(0)
        return self.log.read().decode("utf-8", "replace")

    def kill(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()
        self.log.close()


def web_processes_of(pid):
    """The processes that are still children of `pid` (the engine's helpers)."""
    children = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            if int(fields[1]) == pid:
                children.append(int(entry))
        except OSError:
            pass
    return children


def alive(pid):
    """Whether process `pid` still runs (a zombie has ended)."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False
