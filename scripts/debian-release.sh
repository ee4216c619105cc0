# Sourced by the scripts: which Debian release this machine runs, and what
# differs between the releases the project supports. Sets
#   debian_release   12 or 13, from /etc/os-release (DEBIAN_OS_RELEASE names
#                    another file, for a root seen from outside)
#   debian_codename  bookworm or trixie
#   debian_clang     the clang of that release, which scripts/fuzz builds with
# and fails on any other system.

debian_os_release="${DEBIAN_OS_RELEASE:-/etc/os-release}"
debian_release="$(. "$debian_os_release" && [ "${ID:-}" = debian ] && echo "${VERSION_ID:-}")" || true
case "$debian_release" in
  12) debian_codename=bookworm debian_clang=14 ;;
  13) debian_codename=trixie debian_clang=19 ;;
  *)
    echo "$(basename "$0"): this is not Debian 12 or 13 ($(. "$debian_os_release" && echo "${PRETTY_NAME:-?}")):" \
      "the scripts know the package names of those two; scripts/in-debian 13 COMMAND runs a command there" >&2
    exit 2
    ;;
esac
