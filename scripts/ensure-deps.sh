#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is
# missing. As root it runs apt-get itself; otherwise it prints the line to run.
set -euo pipefail

packages=(
  cmake g++ make pkg-config dpkg-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev libxtst-dev
  libsqlite3-dev qt6-base-dev libgl-dev libxkbcommon-dev
  xvfb xauth trayer xdotool xclip x11-utils openbox imagemagick
  fonts-lohit-deva fonts-liberation
  ibus libibus-1.0-dev dbus dbus-x11 ibus-gtk3 python3-gi gir1.2-gtk-3.0 gir1.2-ibus-1.0
  fcitx5 libfcitx5core-dev fcitx5-modules-dev fcitx5-frontend-qt6 fcitx5-frontend-gtk3
)
# Extras for the development targets: --with-clang for the clang build,
# --with-fuzz for the libFuzzer build, --with-format for clang-format,
# --with-peer for the input methods make bench measures beside Lekhora's,
# --with-texts for the packages bench/texts/extract.py takes its texts from,
# --with-deb for building and checking the Debian packages.
for option in "$@"; do
  case "$option" in
    --with-clang) packages+=(clang) ;;
    --with-fuzz) packages+=(clang libclang-rt-14-dev) ;;
    --with-format) packages+=(clang-format) ;;
    --with-peer) packages+=(ibus-typing-booster hunspell-hi python3-enchant fcitx5-m17n) ;;
    --with-texts) packages+=(libreoffice-help-hi festival-hi) ;;
    --with-deb) packages+=(build-essential debhelper lintian desktop-file-utils) ;;
    *) echo "ensure-deps.sh: unknown option $option" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

line="apt-get install -y ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Lekhora needs these Debian packages: ${missing[*]}" >&2
  echo "Install them as root, then run make again:" >&2
  echo "  sudo apt-get update && sudo $line" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
