#!/usr/bin/env python3
"""A scripted FTP server that misbehaves on purpose, one scenario per port.

Usage: hostile_ftp.py MAPFILE. Every scenario listens on 127.0.0.1 at a free
port (the "anonymous" one also on 127.0.0.2); the lines "name port" are
written to MAPFILE once all are listening. The file every scenario serves is
"f": byte i is i % 251, SIZE bytes long. Standard library only.
"""
import socket
import sys
import threading
import time

SIZE = 200000
DATA = bytes(i % 251 for i in range(SIZE))
BIG = 5 * 1024 * 1024
BIG_DATA = bytes(i % 253 for i in range(BIG))


class Session:
    def __init__(self, conn, scenario):
        self.conn = conn
        self.sc = scenario
        self.rest = 0
        self.data_listener = None
        self.port_to = None
        self.buf = b""

    def reply(self, text):
        if isinstance(text, str):
            text = text.encode("latin-1")
        self.conn.sendall(text + b"\r\n")

    def lines(self):
        while True:
            while b"\r\n" not in self.buf:
                chunk = self.conn.recv(4096)
                if not chunk:
                    return
                self.buf += chunk
            line, self.buf = self.buf.split(b"\r\n", 1)
            yield line.decode("latin-1")

    def open_pasv(self, named, parentheses=True):
        self.data_listener = socket.socket()
        self.data_listener.bind(("127.0.0.1", 0))
        self.data_listener.listen(1)
        port = self.data_listener.getsockname()[1]
        if named != "127.0.0.1":
            # Someone listens where the reply points; a client that goes there
            # is caught and its download spoiled.
            threading.Thread(target=watch, args=(named, port, self), daemon=True).start()
        a = named.split(".")
        numbers = "%s,%s,%s,%s,%d,%d" % (a[0], a[1], a[2], a[3], port >> 8, port & 255)
        self.reply("227 Entering Passive Mode " + ("(%s)." % numbers if parentheses else numbers))

    def data_connection(self):
        if self.data_listener:
            self.data_listener.settimeout(10)
            d, _ = self.data_listener.accept()
            self.data_listener.close()
            self.data_listener = None
            return d
        d = socket.socket()
        d.bind(("127.0.0.1", 0))
        d.connect(self.port_to)
        return d

    def run(self):
        sc = self.sc
        if sc == "longline":
            self.conn.sendall(b"220-" + b"x" * (10 * 1024 * 1024))
            time.sleep(30)
            return
        self.reply("220 Hostile FTP ready")
        if sc == "silent":
            time.sleep(30)
            return
        for line in self.lines():
            cmd, _, arg = line.partition(" ")
            cmd = cmd.upper()
            if "\n" in line or "DELE" in line.upper():
                # A name from one of our replies came back as a command.
                self.conn.close()
                return
            if not self.command(cmd, arg):
                return

    def command(self, cmd, arg):
        sc = self.sc
        if cmd == "USER":
            self.user = arg
            if sc == "anonymous" and arg != "anonymous":
                self.reply("530 This server takes anonymous logins only.")
            else:
                self.reply("331 Password please.")
        elif cmd == "PASS":
            if sc == "oddlines":
                self.conn.sendall(b"230-Welcome\r\n500 foreign code inside\r\n\r\n230-\x00\x00\r\n230 in\x00side\r\n")
            else:
                self.reply("230 Logged in.")
        elif cmd == "SYST":
            self.conn.sendall(b"2\r\n" if sc == "oddlines" else b"215 UNIX Type: L8\r\n")
        elif cmd == "REST":
            self.rest = int(arg)
            self.reply("350 Restart position accepted (%s)." % arg)
        elif cmd == "PWD":
            if sc == "pwd-lf":
                self.conn.sendall(b'257 "/a\nDELE x" is current\r\n')
            else:
                self.reply('257 "/" is current')
        elif cmd == "CWD":
            self.reply("250 Directory changed.")
        elif cmd == "TYPE":
            self.reply("200 Type set.")
        elif cmd == "SIZE":
            answers = {"size-abc": "213 abc", "size-neg": "213 -5", "size-20": "213 99999999999999999999",
                       "short150": "550 No size here.", "size550-retr550": "550 Could not get file size."}
            self.reply(answers.get(sc, "213 %d" % (BIG if sc == "burst" else SIZE)))
        elif cmd == "PASV":
            if sc == "pasv-malformed":
                self.reply("227 Entering Passive Mode (127,0,0,1,300,1).")
            elif sc == "pasv-noparen":
                self.open_pasv("127.0.0.1", parentheses=False)
            elif sc in ("pasv-127.0.0.2", "pasv-127.0.0.3"):
                self.open_pasv(sc[5:])
            else:
                self.open_pasv("127.0.0.1")
        elif cmd == "PORT":
            n = [int(x) for x in arg.split(",")]
            self.port_to = ("%d.%d.%d.%d" % tuple(n[:4]), n[4] * 256 + n[5])
            self.reply("200 PORT command successful.")
        elif cmd == "RETR":
            return self.retr() is not False
        elif cmd == "NOOP":
            self.reply("200 NOOP ok.")
        elif cmd == "QUIT":
            self.reply("221 Goodbye.")
            return False
        else:
            self.reply("500 Unknown command.")
        return True

    def retr(self):
        sc = self.sc
        if sc == "size550-retr550":
            self.reply("550 Failed to open file.")
            return
        if sc == "stray-226":
            # A final reply, a line nothing asked for, and no data connection.
            self.conn.sendall(b"226 done\r\n200 x\r\n")
            return
        data = BIG_DATA if sc == "burst" else DATA
        data = data[self.rest:]
        self.rest = 0
        announced = len(data) + (1000 if sc == "short150" else 0)
        self.reply("150 Opening BINARY mode data connection for f (%d bytes)." % announced)
        if sc == "foreign-port":
            intruder = socket.socket()
            intruder.bind(("127.0.0.2", 0))
            intruder.connect(self.port_to)
            intruder.sendall(b"EVIL" * 1000)
            intruder.close()
            time.sleep(0.3)
        d = self.data_connection()
        if getattr(self, "spoiled", False):
            d.sendall(b"WATCHED")
            d.close()
            self.reply("226 Transfer complete.")
            return
        if sc in ("short150", "fin-226"):
            d.sendall(data[: len(data) // 2])
            d.close()
            self.reply("226 Transfer complete.")
            return
        if sc == "overwrite-break":
            d.sendall(data[: len(data) // 2])
            d.close()
            self.reply("426 Connection closed; transfer aborted.")
            return
        if sc == "ctrl-close":
            # The control connection goes mid-transfer; the data connection
            # stays until the client lets it go.
            d.sendall(data[: len(data) // 2])
            self.conn.close()
            d.settimeout(10)
            try:
                d.recv(1)
            except OSError:
                pass
            d.close()
            return False
        if sc == "rst":
            d.sendall(data[: len(data) // 2])
            time.sleep(0.2)
            d.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, b"\x01\x00\x00\x00\x00\x00\x00\x00")
            d.close()
            self.reply("426 Connection closed; transfer aborted.")
            return
        d.sendall(data)
        d.close()  # at once, with the last bytes still on their way
        self.reply("226 Transfer complete.")


def watch(addr, port, session):
    s = socket.socket()
    s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    try:
        s.bind((addr, port))
    except OSError:
        return
    s.listen(1)
    s.settimeout(20)
    try:
        c, _ = s.accept()
        session.spoiled = True
        print("connection seen on watched address", addr, port, flush=True)
        c.close()
    except OSError:
        pass
    s.close()


SCENARIOS = ["longline", "oddlines", "silent", "pasv-127.0.0.2", "pasv-127.0.0.3", "pasv-malformed",
             "size-abc", "size-neg", "size-20", "short150", "pwd-lf", "fin-226", "rst", "burst",
             "foreign-port", "normal", "anonymous", "size550-retr550", "overwrite-break", "ctrl-close",
             "pasv-noparen", "stray-226"]


def serve(listener, scenario):
    while True:
        conn, _ = listener.accept()
        threading.Thread(target=handle, args=(conn, scenario), daemon=True).start()


def handle(conn, scenario):
    try:
        Session(conn, scenario).run()
    except OSError:
        pass
    finally:
        conn.close()


def main():
    lines = []
    for sc in SCENARIOS:
        s = socket.socket()
        s.bind(("127.0.0.1", 0))
        s.listen(8)
        port = s.getsockname()[1]
        threading.Thread(target=serve, args=(s, sc), daemon=True).start()
        if sc == "anonymous":
            s2 = socket.socket()
            s2.bind(("127.0.0.2", port))
            s2.listen(8)
            threading.Thread(target=serve, args=(s2, sc), daemon=True).start()
        lines.append("%s %d\n" % (sc, port))
    with open(sys.argv[1] + ".tmp", "w") as f:
        f.writelines(lines)
    import os
    os.replace(sys.argv[1] + ".tmp", sys.argv[1])
    while True:
        time.sleep(3600)


if __name__ == "__main__":
    main()
