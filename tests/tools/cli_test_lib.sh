# The frame of the command-line tests, sourced as they start (NAME_test.sh
# BINARY CASE): the binary and the case from the arguments, a temporary folder
# removed at the end, and fail naming the case.
bin=$1
case_name=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() { echo "FAIL [$case_name]: $*" >&2; exit 1; }
