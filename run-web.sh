#!/bin/sh
# Builds the browser version (as needed) and serves it at
# http://127.0.0.1:8000/ (PORT= chooses another port).
set -eu
cd "$(dirname "$0")"
tools/build-web
port=${PORT:-8000}
echo "Play in a browser at http://127.0.0.1:$port/"
exec python3 -m http.server --bind 127.0.0.1 --directory build-web/www "$port"
