# Sourced by the scripts that build and test: the cores they take, TVUI_JOBS
# or else every core of the machine, and the lock of a build folder.
jobs=${TVUI_JOBS:-$(nproc)}
if [[ ! $jobs =~ ^[1-9][0-9]*$ ]]; then
  echo "TVUI_JOBS takes the number of cores to build and test on (1 or more), not \"$jobs\"" >&2
  exit 2
fi

# build_locked NAME COMMAND...: runs the command, a build in build/NAME,
# holding that folder's lock (build/NAME.lock, beside the folder, so that
# removing the folder does not lose it): two scripts never build in one
# folder at once (scripts/test.sh and scripts/monkey.sh in build/asan), and
# the second waits for the first, saying so. What the build starts holds the
# lock too, until it ends.
build_locked() {
  local name=$1 lock
  shift
  lock="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/$name.lock"
  mkdir -p "${lock%/*}" || return 1
  (
    if ! flock -n 9; then
      echo "waiting for the build in build/$name that another script runs ($lock)" >&2
      flock 9 || exit 1
    fi
    "$@"
  ) 9>"$lock"
}
