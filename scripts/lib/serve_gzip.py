"""Serves a folder on 127.0.0.1 as a web host would: compressed with gzip when
the browser accepts it, with a day's cache lifetime. For judging the site's
pages, never for publishing them."""
import gzip
import http.server
import io
import os
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        if not os.path.isfile(path) or "gzip" not in self.headers.get("Accept-Encoding", ""):
            return super().send_head()
        with open(path, "rb") as page:
            body = gzip.compress(page.read())
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "max-age=86400")
        self.end_headers()
        return io.BytesIO(body)

    def log_message(self, *args):
        pass


if __name__ == "__main__":
    port, folder = int(sys.argv[1]), sys.argv[2]
    os.chdir(folder)
    http.server.ThreadingHTTPServer(("127.0.0.1", port), Handler).serve_forever()
