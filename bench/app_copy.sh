# Sourced by the benchmark scripts. app_copy FOLDER: a fresh copy of build-bench/app in FOLDER, as a
# first start, with the config.ini records the run asks for: MODE=windows shows the floating and
# counter windows (affiche_auto "10000"), LINE sets the line ("ligne"). A record is a number
# (16-bit little-endian), a key (30 bytes) and a value (60 bytes); the other keys take their
# defaults at start. Prints the program's path.
app_copy() {
    local folder=$1 records=0
    cp -r build-bench/app "$folder"
    record() {
        records=$((records + 1))
        printf "\\$(printf %03o "$records")\\000%-30s%-60s" "$1" "$2" >>"$folder/config.ini"
    }
    if [ "$MODE" = windows ]; then record affiche_auto 10000; fi
    if [ -n "${LINE-}" ]; then record ligne "$LINE"; fi
    echo "$folder/chronolien"
}
