#!/bin/sh
# Installs the Debian packages the game needs to build (and, with "test", to
# run its test suite, with "web" to build and test the browser version) when
# any of them is missing. As root it installs them; otherwise it prints the
# exact command to run and stops. "web" then installs the browser test's npm
# modules (puppeteer-core drives the system's Chromium; it downloads none).
# Usage: tools/install-deps.sh build|test|web
set -eu
packages="cmake g++ make pkg-config liballegro5-dev liballegro-image5-dev
liballegro-ttf5-dev liballegro-audio5-dev liballegro-acodec5-dev liballegro-dialog5-dev
gettext libjpeg-dev libpng-dev"
if [ "${1:-build}" = "test" ]; then
    packages="$packages googletest libgtest-dev xvfb xauth xdotool"
    # The Debian package: building it, checking it, installing it.
    packages="$packages dpkg-dev file lintian desktop-file-utils appstream man-db"
    packages="$packages strace imagemagick tesseract-ocr bc"
fi
if [ "${1:-build}" = "web" ] || [ "${1:-build}" = "test" ]; then
    packages="$packages emscripten chromium python3"
    # Node's own packager may ship npm with node; Debian's node needs its npm.
    command -v npm >/dev/null 2>&1 || packages="$packages npm"
fi

missing=""
for package in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $package" ;;
    esac
done

# The browser test's modules, pinned by its lock file, beside the test.
npm_modules() {
    [ "${1:-build}" = "web" ] || [ "${1:-build}" = "test" ] || return 0
    web_tests="$(dirname "$0")/../tests/web"
    [ -d "$web_tests/node_modules/puppeteer-core" ] && return 0
    echo "Installing the browser test's npm modules"
    (cd "$web_tests" && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error >/dev/null)
}

if [ -z "$missing" ]; then
    npm_modules "${1:-build}"
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing. Install them with:" >&2
    echo "  sudo apt-get install -y$missing" >&2
    exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq -o DPkg::Lock::Timeout=120 $missing >/dev/null
npm_modules "${1:-build}"
