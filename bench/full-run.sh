#!/usr/bin/env bash
# The full-size update run: a 400,000-row price list (chunks 1 to 19 of 20,000 rows, chunk 20 the
# rest) against a product database of 400,000 parts, written by velthorn-demo.
#   bench/full-run.sh [VERSION]        (default "P.64 (Bar)")
# Prints the time of each stage, list rows per second, peak memory, and a floor: the statements
# of the run's own trace replayed by the sqlite3 shell inside one transaction on copies of the
# starting databases. The last line is read by other programs:
#   full run S s; floor F s; ratio R; peak M MB
set -euo pipefail
version=${1:-P.64 (Bar)}
parts=${PARTS:-400000}
rows=${ROWS:-400000}
cd "$(dirname "$0")/.."
source scripts/setup.sh
velthorn_install "${VELTHORN_RUN_PACKAGES[@]}" time sqlite3 python3 >&2
velthorn_build -DVELTHORN_TESTS=OFF >&2

slug=$(echo "$version" | tr -c 'A-Za-z0-9' '_')
out=bench/out/$slug
rm -rf "$out"
mkdir -p "$out"
echo "writing the demo databases ($parts parts, $rows list rows, version \"$version\")" >&2
./build/bin/velthorn-demo "$out" --version "$version" --parts "$parts" --rows "$rows" >&2
cp "$out/Sarnovik.db" "$out/start.db"
cp "$out/PriceList_DAIHATSU.db" "$out/start-list.db"
list_rows=$(sqlite3 "$out/start-list.db" \
    "SELECT $(sqlite3 "$out/start-list.db" "SELECT group_concat('(SELECT count(*) FROM PriceList_' || Count || ')', ' + ') FROM PriceList_Count")")

echo "timed run" >&2
/usr/bin/time -v -o "$out/time.txt" ./build/bin/velthorn --price-list "$out/PriceList_DAIHATSU.db" \
    --data "$out/Sarnovik.db" 2>&1 >"$out/run.out" | python3 bench/stages.py > "$out/stages.txt"
full=$(python3 -c "
import re,sys
t=open(sys.argv[1]).read()
m=re.search(r'Elapsed \(wall clock\) time \(h:mm:ss or m:ss\): (\S+)', t).group(1).split(':')
s=0.0
for p in m: s=s*60+float(p)
print(f'{s:.2f}')" "$out/time.txt")
peak_kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$out/time.txt")
peak=$((peak_kb / 1024))

echo "traced run for the floor" >&2
cp "$out/start.db" "$out/trace.db"
cp "$out/start-list.db" "$out/trace-list.db"
./build/bin/velthorn --price-list "$out/trace-list.db" --data "$out/trace.db" --trace "$out/trace.sql" \
    > /dev/null 2>&1
# The staging loop reads only the first staged row of its query; the shell would print them all,
# so the replay asks for the first row alone (Limit 1), as the run does.
{
    echo "BEGIN;"
    sed -n 's|^/\* cnData \*/ ||p' "$out/trace.sql" |
        sed 's/^\(Select Kind, PartNO, lKind, lAtNO, AKind, AltNO, EName, TName, Model, Import, Price, Sale From PriceList Where BrandID = [0-9]* Order By PartNO\);$/\1 Limit 1;/'
    echo "COMMIT;"
} > "$out/floor-data.sql"
{
    echo "BEGIN;"
    sed -n 's|^/\* cnPriceList \*/ ||p' "$out/trace.sql"
    echo "COMMIT;"
} > "$out/floor-list.sql"
statements=$(($(wc -l < "$out/floor-data.sql") + $(wc -l < "$out/floor-list.sql") - 4))
cp "$out/start.db" "$out/floor.db"
cp "$out/start-list.db" "$out/floor-list.db"
t0=$(date +%s.%N)
sqlite3 "$out/floor.db" < "$out/floor-data.sql" > /dev/null
sqlite3 "$out/floor-list.db" < "$out/floor-list.sql" > /dev/null
t1=$(date +%s.%N)
floor=$(python3 -c "print(f'{$t1 - $t0:.2f}')")
ratio=$(python3 -c "print(f'{$full / $floor:.2f}')")
rate=$(python3 -c "print(f'{$list_rows / $full:.0f}')")
rm -f "$out/trace.sql" "$out/floor-data.sql" "$out/floor-list.sql" "$out"/trace*.db "$out"/floor*.db

echo
echo "version \"$version\": $parts parts, $list_rows list rows, $statements statements"
echo "stage times (s):"
sed 's/^/  /' "$out/stages.txt"
echo "list rows per second: $rate"
# The report: the lines after the end message and the table's heading, up to the summary.
report_lines=$(awk 'NR == 1 { next } /^$/ { exit } { n++ } END { print (n > 0 ? n - 1 : 0) }' "$out/run.out")
echo "end message: $(head -1 "$out/run.out"); report lines: $report_lines"
echo "full run $full s; floor $floor s; ratio $ratio; peak $peak MB"
