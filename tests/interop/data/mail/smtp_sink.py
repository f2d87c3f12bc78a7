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
and, read again with the e-mail package's modern policy (policy.default):
  decoded.txt       sender's display name and address, subject, date (ISO 8601)
                    and Message-ID, one "name: value" line each, as decoded
  parts.txt         one line per leaf part: "text" or "attachment NAME SIZE"
  content.txt       the text part's decoded content
  defects.txt       the class name of every defect found in any part
"""
import email
from email import policy
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
        if isinstance(data, str):
            data = data.encode("utf-8")
        with open(os.path.join(self.outdir, name), "wb") as f:
            f.write(data)

    def write_decoded(self, raw):
        message = email.message_from_bytes(raw, policy=policy.default)
        sender = message["From"].addresses[0]
        date = message["Date"]
        self.write("decoded.txt",
                   "from-name: %s\n" % sender.display_name +
                   "from-address: %s\n" % sender.addr_spec +
                   "subject: %s\n" % message["Subject"] +
                   "date: %s\n" % (date.datetime.isoformat() if date is not None else "") +
                   "message-id: %s\n" % message["Message-ID"])
        parts, defects, content = [], [], ""
        for part in message.walk():
            defects += [type(d).__name__ for d in part.defects]
            if part.is_multipart():
                continue
            if part.get_filename() is not None:
                parts.append("attachment %s %d" % (part.get_filename(),
                                                   len(part.get_content())))
            else:
                parts.append("text")
                content = part.get_content()
        self.write("parts.txt", "".join(line + "\n" for line in parts))
        self.write("content.txt", content)
        self.write("defects.txt", "".join(name + "\n" for name in defects))

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
        self.write_decoded(envelope.original_content)
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
