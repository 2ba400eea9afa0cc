"""The built page in headless Chromium: a static server for the site in a thread of this process,
and Chromium driven through chromedriver's W3C WebDriver API, both ended on leaving.

    with WebSession(site) as page:
        page.open("index.html?probe")
        page.run("return 1 + 1")

The caller ends every process the session started even when it cannot quit them itself: see
tests/support/processes.py, which the probe and the page's tests use.
"""

import base64
import functools
import http.server
import json
import os
import shutil
import socket
import subprocess
import tempfile
import threading
import time
import urllib.request

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# Chromium starts within this, on a slow machine too.
START_SECONDS = 60


class PageError(Exception):
    pass


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *_):
        pass


class WebSession:
    def __init__(self, site, downloads=None, width=1000, height=800):
        self.site, self.downloads, self.size = site, downloads, (width, height)

    def __enter__(self):
        self.profile = tempfile.mkdtemp(prefix="mazewick-chromium-")
        handler = functools.partial(QuietHandler, directory=self.site)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        port = free_port()
        self.driver_url = f"http://127.0.0.1:{port}"
        self.driver = subprocess.Popen([CHROMEDRIVER, f"--port={port}"], stdin=subprocess.DEVNULL,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                       start_new_session=True)
        try:
            self._start_browser()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start_browser(self):
        deadline = time.monotonic() + START_SECONDS
        while True:
            try:
                if self._call("GET", "/status")["ready"]:
                    break
            except OSError:
                pass
            if time.monotonic() > deadline or self.driver.poll() is not None:
                raise PageError("chromedriver did not start")
            time.sleep(0.1)
        args = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                "--no-first-run", f"--user-data-dir={self.profile}",
                f"--window-size={self.size[0]},{self.size[1]}"]
        options = {"binary": CHROMIUM, "args": args}
        if self.downloads:
            options["prefs"] = {"download.default_directory": self.downloads,
                                "download.prompt_for_download": False}
        capabilities = {"browserName": "chrome", "goog:chromeOptions": options,
                        "timeouts": {"script": 600_000, "pageLoad": 60_000}}
        self.session = self._call("POST", "/session",
                                  {"capabilities": {"alwaysMatch": capabilities}})["sessionId"]

    def __exit__(self, *_):
        try:
            if getattr(self, "session", None):
                self._call("DELETE", f"/session/{self.session}")
        except (OSError, PageError):
            pass
        finally:
            if self.driver.poll() is None:
                os.killpg(self.driver.pid, 9)
            self.driver.wait()
            self.server.shutdown()
            self.server.server_close()
            shutil.rmtree(self.profile, ignore_errors=True)

    def _call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.driver_url + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=900) as response:
                return json.load(response)["value"]
        except urllib.error.HTTPError as error:
            value = json.load(error)["value"]
            raise PageError(f"{value.get('error')}: {value.get('message', '')[:500]}") from None

    def _session(self, method, path, body=None):
        return self._call(method, f"/session/{self.session}{path}", body)

    def url(self, page):
        return f"http://127.0.0.1:{self.server.server_address[1]}/{page}"

    def open(self, page):
        self._session("POST", "/url", {"url": self.url(page)})

    def run(self, script, *args):
        """Runs the script in the page; a promise it returns is awaited."""
        return self._session("POST", "/execute/sync", {"script": script, "args": list(args)})

    def wait_for(self, script, seconds=10):
        """Waits until the script returns something true, and gives it."""
        deadline = time.monotonic() + seconds
        while not (value := self.run(script)):
            if time.monotonic() > deadline:
                raise PageError(f"timed out waiting for: {script}")
            time.sleep(0.05)
        return value

    def click(self, selector):
        found = self._session("POST", "/element", {"using": "css selector", "value": selector})
        self._session("POST", f"/element/{next(iter(found.values()))}/click", {})

    def type_keys(self, *keys):
        """Real key presses, through the browser's input: each a character or a WebDriver key."""
        actions = [action for key in keys
                   for action in ({"type": "keyDown", "value": key},
                                  {"type": "keyUp", "value": key})]
        self._session("POST", "/actions",
                      {"actions": [{"type": "key", "id": "keyboard", "actions": actions}]})

    def hide_for(self, seconds):
        """Hides the page's tab behind a new one for that long, then shows it again."""
        shown = self._session("GET", "/window")
        other = self._session("POST", "/window/new", {"type": "tab"})["handle"]
        self._session("POST", "/window", {"handle": other})
        time.sleep(seconds)
        self._session("DELETE", "/window")
        self._session("POST", "/window", {"handle": shown})

    def screenshot(self, path):
        with open(path, "wb") as png:
            png.write(base64.b64decode(self._session("GET", "/screenshot")))
