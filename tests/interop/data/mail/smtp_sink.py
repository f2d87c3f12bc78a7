"""A real SMTP server for the mail interop tests.

Usage: smtp_sink.py PORT OUTDIR

Listens on 127.0.0.1:PORT, prints "ready" once it accepts connections, takes one
message, takes it apart with the standard library's e-mail parser and writes what
it found under OUTDIR, then exits:
  envelope.txt      "MAIL FROM:" and "RCPT TO:" lines as the server saw them
  headers.txt       "Name: value" lines of the top-level header, values as sent
  text.txt          the decoded text part (or the whole body of a single part)
  attachment.name   the attachment's file name
  attachment.bin    the attachment's decoded bytes
"""
import email
import os
import sys
import threading

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import SMTP


class Sink:
    def __init__(self, outdir):
        self.outdir = outdir
        self.done = threading.Event()
        self.received = False

    def write(self, name, data):
        mode = "wb" if isinstance(data, bytes) else "w"
        with open(os.path.join(self.outdir, name), mode) as f:
            f.write(data)

    async def handle_DATA(self, server, session, envelope):
        self.write("envelope.txt", "MAIL FROM:%s\n" % envelope.mail_from +
                   "".join("RCPT TO:%s\n" % r for r in envelope.rcpt_tos))
        message = email.message_from_bytes(envelope.original_content)
        self.write("headers.txt", "".join("%s: %s\n" % (k, v) for k, v in message.items()))
        for part in message.walk():
            if part.is_multipart():
                continue
            if part.get_filename() is not None:
                self.write("attachment.name", part.get_filename())
                self.write("attachment.bin", part.get_payload(decode=True))
            elif part.get_content_maintype() == "text":
                self.write("text.txt", part.get_payload(decode=True))
        self.received = True
        return "250 Message accepted for delivery"


class Session(SMTP):
    """Ends the sink once the client that sent the message has gone, so the
    client's QUIT is answered before the server stops."""

    def connection_lost(self, exc):
        super().connection_lost(exc)
        if self.event_handler.received:
            self.event_handler.done.set()


class SinkController(Controller):
    def factory(self):
        return Session(self.handler, **self.SMTP_kwargs)


def main():
    port, outdir = int(sys.argv[1]), sys.argv[2]
    sink = Sink(outdir)
    controller = SinkController(sink, hostname="127.0.0.1", port=port)
    controller.start()
    print("ready", flush=True)
    sink.done.wait(60)
    controller.stop()


if __name__ == "__main__":
    main()
