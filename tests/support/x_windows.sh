# Shell helpers for the scripted tests of the real program on an X server: its windows and its
# tray icon in trayer. Source it with DISPLAY set; $program_pid names the program, and the sourcing
# script defines fail().

# The program's visible windows as "id width height x y" lines.
program_windows() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null || true); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        echo "$id $WIDTH $HEIGHT $X $Y"
    done
}
# The visible window of the given size in pixels, "id width height x y", or nothing.
window_of_size() { program_windows | awk -v w="$1" -v h="$2" '$2 == w && $3 == h { print; exit }'; }
has_window_of_size() { [ -n "$(window_of_size "$1" "$2")" ]; }

# The program's open message boxes (dialogs titled "Chronolien"), one id a line. The skinned
# windows and the tray icon, untitled, are shown as "Chronolien" too, but are no dialogs.
message_boxes() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null || true); do
        if [ "$(xprop -id "$id" _NET_WM_NAME 2>/dev/null)" = '_NET_WM_NAME(UTF8_STRING) = "Chronolien"' ] \
            && xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q '_NET_WM_WINDOW_TYPE_DIALOG'; then
            echo "$id"
        fi
    done
}

# The tray icon: the first window in trayer's panel that is not its 1x1 placeholder.
tray_icon() {
    xwininfo -root -tree | awk '/"panel"/ { p = 1; next } p && /0x/ && !/1x1/ { print $1; exit }'
}
has_tray_icon() { [ -n "$(tray_icon)" ]; }
# Whether the tray icon shows the program's dial, mostly deep blue, and not an empty square of the
# panel's grey: its mean colour much bluer than red. Needs ImageMagick's import and convert.
tray_icon_shows_the_dial() {
    local icon picture mean
    icon=$(tray_icon)
    picture=$(mktemp --suffix=.png)
    [ -n "$icon" ] && import -window "$icon" "$picture" 2>/dev/null \
        && mean=$(convert "$picture" -resize '1x1!' -format '%[fx:int(255*r)] %[fx:int(255*b)]' info:)
    rm -f "$picture"
    [ -n "${mean-}" ] && awk -v m="$mean" 'BEGIN { split(m, c, " "); exit !(c[2] > c[1] + 40) }'
}
# Clicks the tray icon with the given button, where the tray holds it now (trayer moves its panel
# as icons come in).
click_tray_icon() {
    local icon x y
    icon=$(tray_icon)
    [ -n "$icon" ] || fail "the tray holds no icon"
    x=$(xwininfo -id "$icon" | awk '/Absolute upper-left X/ { print $4 }')
    y=$(xwininfo -id "$icon" | awk '/Absolute upper-left Y/ { print $4 }')
    echo "   click $1 on the tray icon at $x,$y"
    xdotool mousemove $((x + 10)) $((y + 10)) sleep 0.3 click "$1"
}
