"""A real SMTP server that wants TLS and a login, for the secure mail interop tests.

Usage: smtp_secure.py MODE PORT OUTDIR CERT KEY

MODE is one of
  starttls  STARTTLS required before anything else, then a login
  tls       TLS from the first byte, then a login
  plain     no STARTTLS offered, a login offered in plain text
The one login accepted is "ann" with the password "s3cret pass". Listens on
127.0.0.1:PORT, prints "ready", and serves until it is stopped. Every line a
client sends goes into OUTDIR/commands.log, as "plain: LINE" or "tls: LINE"
after what carried it. The last message is taken apart as smtp_sink.py does.
"""
import os
import ssl
import sys
import threading

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword

from smtp_sink import Sink

LOGIN, PASSWORD = b"ann", b"s3cret pass"


def authenticator(server, session, envelope, mechanism, auth_data):
    accepted = (isinstance(auth_data, LoginPassword) and auth_data.login == LOGIN
                and auth_data.password == PASSWORD)
    # handled=False lets the server answer a refusal with 535 itself.
    return AuthResult(success=accepted, handled=False)


class LoggingReader:
    def __init__(self, reader, session):
        self.reader, self.session = reader, session

    def __getattr__(self, name):
        return getattr(self.reader, name)

    def log(self, line):
        carrier = "tls" if self.session.implicit_tls or self.session._tls_protocol else "plain"
        with open(os.path.join(self.session.outdir, "commands.log"), "ab") as f:
            f.write(carrier.encode() + b": " + line.rstrip(b"\r\n") + b"\n")
        return line

    async def readuntil(self, *args, **kwargs):
        return self.log(await self.reader.readuntil(*args, **kwargs))

    async def readline(self):
        return self.log(await self.reader.readline())


class Session(SMTP):
    implicit_tls = False
    outdir = "."

    async def _handle_client(self):
        self._reader = LoggingReader(self._reader, self)
        await super()._handle_client()


class SecureController(Controller):
    def factory(self):
        return Session(self.handler, **self.SMTP_kwargs)


def main():
    mode, port, outdir, cert, key = sys.argv[1], int(sys.argv[2]), sys.argv[3], *sys.argv[4:6]
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(cert, key)
    Session.outdir = outdir
    Session.implicit_tls = mode == "tls"
    options = dict(authenticator=authenticator, auth_required=True)
    if mode == "starttls":
        options.update(tls_context=context, require_starttls=True)
    elif mode == "tls":
        options.update(ssl_context=context, auth_require_tls=False)
    else:
        options.update(auth_require_tls=False)
    controller = SecureController(Sink(outdir), hostname="127.0.0.1", port=port, **options)
    controller.start()
    print("ready", flush=True)
    threading.Event().wait()


if __name__ == "__main__":
    main()
