#!/usr/bin/env python3
"""Local stand-in for the game portal, for the demo run and end-to-end tests.

Five small sites share one port on different loopback addresses so that the
launcher's four link hosts stay distinct from the micro-client host:

    127.0.0.1  client   /client/reg/<game>/?from=<channel>, /client/play?...
    127.0.0.2  home     /
    127.0.0.3  pay      /?appkey=<appkey>
    127.0.0.4  service  /
    127.0.0.5  forum    /forum-741-1.html

Every request is logged as "<site> <method> <path?query>".
"""

import argparse
import html
import os
import re
import signal
import sys
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlsplit

SITES = [
    ("127.0.0.1", "client"),
    ("127.0.0.2", "home"),
    ("127.0.0.3", "pay"),
    ("127.0.0.4", "service"),
    ("127.0.0.5", "forum"),
]

DEFAULT_APPKEY = "3f9c2a7e5b1d4c8fa06e92b7d35c1e84"
FORUM_PATH = "/forum-741-1.html"

STYLE = """
body { margin: 0; padding: 0; background: #1d2330; color: #e8e4d8;
       font-family: Tahoma, Verdana, Arial, sans-serif; font-size: 13px; }
a { color: #f0c060; }
.box { width: 420px; margin: 60px auto 0 auto; padding: 24px 32px;
       background: #2a3243; border: 1px solid #475170; }
h1 { margin: 0 0 16px 0; font-size: 22px; color: #f0c060; font-weight: normal; }
td { padding: 4px 6px; }
input.text { width: 200px; }
.play { display: block; margin: 20px 0 4px 0; padding: 12px 0; text-align: center;
        background: #b8862b; color: #1d2330; font-size: 18px; font-weight: bold;
        text-decoration: none; border: 1px solid #f0c060; }
.note { color: #9aa3b8; font-size: 11px; }
"""


def page(title, body):
    """Plain HTML4 page: the launcher's embedded browser is an old IE."""
    return (
        '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">\n'
        "<html><head>\n"
        '<meta http-equiv="Content-Type" content="text/html; charset=utf-8">\n'
        "<title>%s</title>\n<style type=\"text/css\">%s</style>\n"
        "</head><body>\n%s\n</body></html>\n"
        % (html.escape(title), STYLE, body)
    ).encode("utf-8")


def login_page(play_url, channel):
    play = html.escape(play_url, quote=True)
    body = """<div class="box">
<h1>Velmora</h1>
<form method="post" action="%s">
<table>
<tr><td>账号 / User</td><td><input class="text" type="text" name="user"></td></tr>
<tr><td>密码 / Password</td><td><input class="text" type="password" name="password"></td></tr>
<tr><td></td><td><input type="submit" value="登录 / Log in"></td></tr>
</table>
</form>
<a class="play" id="play" href="%s">进入游戏 / play</a>
<p class="note">Demo portal &middot; channel %s</p>
</div>""" % (play, play, html.escape(channel))
    return page("Velmora — login", body)


def game_page(query):
    server = html.escape(query.get("server", ["?"])[0])
    rows = "\n".join(
        "<p>Turn %d: the caravan moves on across the plains of Velmora.</p>" % i
        for i in range(1, 121)
    )
    body = """<div class="box" style="width: 640px">
<h1>Velmora — game</h1>
<p id="server">Server %s</p>
%s
<p id="end">End of the chronicle.</p>
</div>""" % (server, rows)
    return page("Velmora — game", body)


def simple_page(title, text):
    body = '<div class="box"><h1>%s</h1><p>%s</p></div>' % (
        html.escape(title), html.escape(text))
    return page(title, body)


class PortalHandler(BaseHTTPRequestHandler):
    server_version = "VelmoraDemoPortal/1.0"

    # --- plumbing -------------------------------------------------------

    def log_message(self, format, *args):  # noqa: A002 - base class name
        # Our own request log replaces the default access log.
        pass

    def _log_request(self):
        self.server.portal.log("%s %s %s" % (self.server.site, self.command, self.path))

    def _send(self, status, body, head_only=False):
        self.send_response(status)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if not head_only:
            self.wfile.write(body)

    def _not_found(self, head_only=False):
        self._send(404, simple_page("Not found", "No such page: " + self.path), head_only)

    def _host(self):
        host = self.headers.get("Host")
        if host:
            return host
        addr, port = self.server.server_address[:2]
        return "%s:%d" % (addr, port)

    # --- dispatch -------------------------------------------------------

    def do_GET(self):
        self._log_request()
        self._route(head_only=False)

    def do_HEAD(self):
        self._log_request()
        self._route(head_only=True)

    def do_POST(self):
        self._log_request()
        length = int(self.headers.get("Content-Length") or 0)
        if length > 0:
            self.rfile.read(min(length, 1 << 20))
        # Only the login form posts, and it posts to the play address.
        parts = urlsplit(self.path)
        if self.server.site == "client" and parts.path == "/client/play":
            self._send(200, game_page(parse_qs(parts.query)))
        else:
            self._not_found()

    def _route(self, head_only):
        parts = urlsplit(self.path)
        query = parse_qs(parts.query)
        cfg = self.server.portal
        site = self.server.site

        if site == "client":
            reg = "/client/reg/"
            if parts.path.startswith(reg):
                game = parts.path[len(reg):].rstrip("/")
                if game == cfg.game:
                    play_url = "http://%s/client/play?server=1&from=%s" % (
                        self._host(), cfg.channel)
                    return self._send(200, login_page(play_url, cfg.channel), head_only)
            elif parts.path == "/client/play":
                return self._send(200, game_page(query), head_only)
        elif site == "home" and parts.path == "/":
            return self._send(200, simple_page("Velmora — home",
                                               "Welcome to the world of Velmora."), head_only)
        elif site == "pay" and parts.path == "/":
            if query.get("appkey") != [cfg.appkey]:
                return self._send(400, simple_page("Bad request",
                                                   "Missing or unknown appkey."), head_only)
            return self._send(200, simple_page("Velmora — deposit",
                                               "Choose an amount to deposit."), head_only)
        elif site == "service" and parts.path == "/":
            return self._send(200, simple_page("Velmora — service",
                                               "Customer service is here to help."), head_only)
        elif site == "forum" and parts.path == FORUM_PATH:
            return self._send(200, simple_page("Velmora — forum",
                                               "Announcements and player discussion."), head_only)
        return self._not_found(head_only)


class SiteServer(ThreadingHTTPServer):
    # A browser opens several connections at once; the default backlog of 5 is tight.
    request_queue_size = 64


class Portal:
    def __init__(self, args):
        self.game = args.game
        self.channel = args.channel
        self.appkey = args.appkey
        self.quiet = args.quiet
        self._lock = threading.Lock()
        self._log_file = open(args.log, "a", encoding="utf-8") if args.log else None
        self.servers = []

    def log(self, line):
        with self._lock:
            if self._log_file:
                self._log_file.write(line + "\n")
                self._log_file.flush()
            if not self.quiet:
                sys.stderr.write(line + "\n")
                sys.stderr.flush()

    def _make(self, addr, site, port):
        srv = SiteServer((addr, port), PortalHandler)
        srv.site = site
        srv.portal = self
        return srv

    def bind(self, port, attempts=10):
        """Bind all sites on one port; with port 0 the free port comes from 127.0.0.1."""
        last_error = None
        for _ in range(attempts if port == 0 else 1):
            servers = []
            try:
                first = self._make(SITES[0][0], SITES[0][1], port)
                servers.append(first)
                chosen = first.server_address[1]
                for addr, site in SITES[1:]:
                    servers.append(self._make(addr, site, chosen))
                self.servers = servers
                return chosen
            except OSError as exc:
                last_error = exc
                for srv in servers:
                    srv.server_close()
        raise last_error

    def serve(self):
        threads = []
        for srv in self.servers:
            t = threading.Thread(target=srv.serve_forever, kwargs={"poll_interval": 0.2},
                                 name="site-" + srv.site, daemon=True)
            t.start()
            threads.append(t)
        return threads

    def close(self):
        for srv in self.servers:
            srv.shutdown()
            srv.server_close()
        if self._log_file:
            self._log_file.close()


def write_ready_file(path, port):
    # Rename into place so a waiting script never reads a half-written file.
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="ascii") as f:
        f.write("%d\n" % port)
    os.replace(tmp, path)


def parse_args(argv):
    p = argparse.ArgumentParser(description="Local stand-in for the Velmora game portal.")
    p.add_argument("--port", type=int, default=0, help="port for all sites (0 = pick a free one)")
    p.add_argument("--game", default="velmora", help="game code in the login address")
    p.add_argument("--channel", default="client", help="channel code (from=...)")
    p.add_argument("--appkey", default=DEFAULT_APPKEY, help="payment appkey (32 hex digits)")
    p.add_argument("--log", help="append one line per request to this file")
    p.add_argument("--ready-file", help="write the chosen port here once listening")
    p.add_argument("--quiet", action="store_true", help="do not echo requests to stderr")
    args = p.parse_args(argv)
    if not 0 <= args.port <= 65535:
        p.error("--port must be 0..65535")
    if not re.fullmatch(r"[0-9a-f]{32}", args.appkey):
        p.error("--appkey must be 32 lowercase hex digits")
    return args


def main(argv=None):
    args = parse_args(sys.argv[1:] if argv is None else argv)
    portal = Portal(args)
    try:
        port = portal.bind(args.port)
    except OSError as exc:
        sys.stderr.write("demo-portal: cannot bind port %d: %s\n" % (args.port, exc))
        return 2

    stop = threading.Event()

    def on_signal(signum, frame):
        stop.set()

    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGINT, on_signal)

    portal.serve()
    if args.ready_file:
        write_ready_file(args.ready_file, port)
    if not args.quiet:
        sys.stderr.write("demo-portal: listening on 127.0.0.1-5 port %d "
                         "(login http://127.0.0.1:%d/client/reg/%s/?from=%s)\n"
                         % (port, port, args.game, args.channel))
        sys.stderr.flush()

    # Wake up now and then so signals are handled promptly in the main thread.
    while not stop.wait(0.5):
        pass
    portal.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
