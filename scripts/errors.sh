# Sourced by every script here: when a command fails, the script says which command it was, with
# what status and where, before set -e ends it. Commands tested by if, while, && or || are not
# failures and stay quiet.
set -o errtrace
trap 'report_failure $? "$BASH_COMMAND" "${BASH_SOURCE[0]}" "$LINENO"' ERR

report_failure() { # status, command, file, line
    echo "${0##*/}: \"$2\" failed with status $1 (${3##*/}, line $4)" >&2
}
