# Sourced by the install tests: fail(), and a fresh scratch folder with a scratch home in it,
# so that nothing started by a test touches the real user's files.
#   scratch_user SCRATCH_DIR    sets $scratch (absolute) and exports HOME=$scratch/home

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

scratch_user() {
    rm -rf "$1"
    mkdir -p "$1/home"
    scratch=$(cd "$1" && pwd -P)
    HOME=$scratch/home
    export HOME
}
