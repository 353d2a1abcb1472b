# Sourced by the make-media scripts: writes a quiz description.
# write_quiz_json FILE KIND TITLE DESCRIPTION COLOUR REVEAL CODES ENTRY...
# (CODES is a JSON array; each ENTRY is one JSON object on one line.)
write_quiz_json() {
    local file=$1 kind=$2 title=$3 description=$4 colour=$5 reveal=$6 codes=$7
    shift 7
    {
        echo '{'
        echo "  \"kind\": \"$kind\","
        echo "  \"title\": \"$title\","
        echo '  "author": "Ana",'
        echo "  \"description\": \"$description\","
        echo '  "answersPerEntry": 1,'
        echo "  \"reveal\": \"$reveal\","
        echo "  \"boardColour\": \"$colour\","
        echo '  "entries": ['
        local count=$#
        local n=0
        for entry in "$@"; do
            n=$((n + 1))
            if [ "$n" -lt "$count" ]; then echo "    $entry,"; else echo "    $entry"; fi
        done
        echo '  ],'
        echo "  \"codes\": $codes"
        echo '}'
    } >"$file"
}
