# Sourced by the scripts that run the program under Xvfb (end-to-end tests,
# measurements, screenshots).

# start_xvfb [SIZE] [LOG]: starts an X server on a display number of our own,
# well away from the usual ones, and takes it only once a client can talk to
# it (a server of a run that is ending may still remove a socket of the same
# number) and while it holds the display's lock. Exports DISPLAY and sets XVFB_PID; returns 1 when no server could
# be started.
start_xvfb() {
    local size=${1:-1024x768x24} log=${2:-/dev/null} attempt n deadline
    XVFB_PID=
    for attempt in $(seq 20); do
        n=$((200 + RANDOM % 800))
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "$size" -nolisten tcp 2>"$log" &
        XVFB_PID=$!
        deadline=$((SECONDS + 10))
        while kill -0 "$XVFB_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
            # The display is ours only if our server holds its lock: two
            # scripts starting at once may have picked the same number.
            if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
                if [ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" = "$XVFB_PID" ]; then
                    export DISPLAY=":$n"
                    return 0
                fi
                break
            fi
            sleep 0.05
        done
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    done
    return 1
}
