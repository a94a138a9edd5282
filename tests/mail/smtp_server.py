"""A real SMTP server for the mail tests (aiosmtpd), on 127.0.0.1.

Every message received is written to DIR as N.eml (the bytes as sent) with
N.env beside it (the envelope: MAIL FROM, then each RCPT TO, one a line).
Prints the port it listens on, then serves until its standard input closes.

  smtp_server.py DIR [--starttls CERT KEY] [--login USER PASSWORD] [--refuse ADDRESS]...
"""
import argparse
import os
import socket
import ssl
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Handler:
    def __init__(self, out, refused):
        self.out = out
        self.refused = set(refused)
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.refused:
            return "550 5.1.1 <%s>: Recipient address rejected: no such mailbox" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.out, str(self.count))
        with open(base + ".eml", "wb") as f:
            f.write(envelope.original_content)
        with open(base + ".env", "w") as f:
            f.write("\n".join([envelope.mail_from] + envelope.rcpt_tos) + "\n")
        return "250 2.0.0 Ok: queued as %d" % self.count


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("dir")
    parser.add_argument("--starttls", nargs=2)
    parser.add_argument("--login", nargs=2)
    parser.add_argument("--refuse", action="append", default=[])
    args = parser.parse_args()
    options = {}
    if args.starttls:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(*args.starttls)
        options.update(tls_context=context, require_starttls=True)
    if args.login:
        user, password = args.login

        def authenticate(server, session, envelope, mechanism, data):
            ok = isinstance(data, LoginPassword) and data.login.decode() == user and \
                data.password.decode() == password
            return AuthResult(success=ok, handled=False)

        options.update(authenticator=authenticate, auth_required=True,
                       auth_require_tls=bool(args.starttls))
    port = free_port()
    controller = Controller(Handler(args.dir, args.refuse), hostname="127.0.0.1", port=port,
                            **options)
    controller.start()
    print(port, flush=True)
    sys.stdin.read()
    controller.stop()


main()
