# shellcheck shell=bash
# The test printer (sourced by check.sh and printbench.sh): a CUPS spooler with a PDF printer
# named "PDF", the default one, whose jobs land as PDF files in a folder of the build tree.
# A spooler already running is used as it is; one started here is stopped by orv_stop_spooler.

ORV_CUPSD_PID=
ORV_SPOOLER_NOTE=

orv_as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo -n "$@"; fi
}

# orv_start_spooler OUTDIR: 0 when the printer is ready, else 1 with the reason in
# ORV_SPOOLER_NOTE.
orv_start_spooler() {
    local out=$1 i
    if ! command -v cupsd >/dev/null || [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
        ORV_SPOOLER_NOTE="no spooler: cups-daemon or printer-driver-cups-pdf is not installed"
        return 1
    fi
    # Pages of an earlier run would be taken for this run's.
    rm -rf "$out"
    mkdir -p "$out" && chmod 1777 "$out"
    # cups-pdf reads cups-pdf-NAME.conf for the device cups-pdf:/NAME: ours writes into the tree.
    if ! printf 'Out %s\nAnonDirName %s\nLabel 0\n' "$out" "$out" |
        orv_as_root tee /etc/cups/cups-pdf-orv.conf >/dev/null; then
        ORV_SPOOLER_NOTE="no spooler: cannot write /etc/cups/cups-pdf-orv.conf (not root)"
        return 1
    fi
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        # Started directly (not through a function, whose subshell would be what $! names), so
        # that stopping it stops the spooler itself; sudo passes the signal on.
        if [ "$(id -u)" = 0 ]; then
            cupsd -f </dev/null >/dev/null 2>&1 &
        else
            sudo -n cupsd -f </dev/null >/dev/null 2>&1 &
        fi
        ORV_CUPSD_PID=$!
        for i in $(seq 50); do
            lpstat -r 2>/dev/null | grep -q 'is running' && break
            kill -0 "$ORV_CUPSD_PID" 2>/dev/null || break
            sleep 0.2
        done
        if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
            ORV_SPOOLER_NOTE="no spooler: cupsd did not start"
            ORV_CUPSD_PID=
            return 1
        fi
    fi
    if ! orv_as_root lpadmin -p PDF -E -v cups-pdf:/orv -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
        2>/dev/null || ! orv_as_root lpadmin -d PDF; then
        ORV_SPOOLER_NOTE="no spooler: lpadmin could not add the PDF printer"
        return 1
    fi
    return 0
}

orv_stop_spooler() {
    if [ -n "$ORV_CUPSD_PID" ]; then
        orv_as_root kill "$ORV_CUPSD_PID" 2>/dev/null
        wait "$ORV_CUPSD_PID" 2>/dev/null
        ORV_CUPSD_PID=
    fi
}
