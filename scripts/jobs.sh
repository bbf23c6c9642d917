# Sourced by the scripts that build and test: the cores they take, TVUI_JOBS
# or else every core of the machine.
jobs=${TVUI_JOBS:-$(nproc)}
if [[ ! $jobs =~ ^[1-9][0-9]*$ ]]; then
  echo "TVUI_JOBS takes the number of cores to build and test on (1 or more), not \"$jobs\"" >&2
  exit 2
fi
