#!/usr/bin/env bash
# Puts realistic faults into a scratch copy of the tree, one at a time, builds it and runs
# the unit tests (the core's, the properties, the Qt window's and the D-Bus backend's), and
# prints each fault caught or missed: a fault every test lets through is a missing test.
# A tool to run before stopping, not part of CI. Usage: scripts/mutants.sh [pattern]
# (only the faults whose description matches).
set -euo pipefail
cd "$(dirname "$0")/.."
only=${1:-}
# Each fault: file, the text it changes (once, exactly), what it becomes, what it means;
# the fields separated by " @@ ".
faults=$(cat <<'LIST'
src/schedule/ActionText.cpp @@ if (text == caption) @@ if (text.size() == caption.size() && std::equal(text.begin(), text.end(), caption.begin(), [](char a, char b) { return (a | 32) == (b | 32); })) @@ the action text compared ignoring case
src/schedule/Scheduler.cpp @@ return 1000 - millisecond + tickMarginMs; @@ return 1000 - millisecond - tickMarginMs; @@ the tick lands before its second
src/schedule/Scheduler.cpp @@ const bool crossed = reached && previous.wallMs < target * 1000; @@ const bool crossed = reached && previous.wallMs <= target * 1000; @@ a target reached at the previous tick crossed again
src/schedule/Scheduler.cpp @@ && now.wallMs - previous.wallMs - realMs <= longestClockLeapMs @@  @@ a leap of the wall clock read as a late tick
src/schedule/Scheduler.cpp @@ const bool continuous = realMs <= longestTickGapMs @@ const bool continuous = true @@ a set time slept across still fires
src/schedule/Scheduler.cpp @@ (awakeMs - m_countedUpToMs) / 1000 @@ (awakeMs - m_countedUpToMs + 999) / 1000 @@ the count-down rounds a part second up
src/schedule/Scheduler.cpp @@ m_countedUpToMs = m_previous.awakeMs; @@ m_countedUpToMs = m_previous.awakeMs - 1000; @@ the first tick after Ok steps a second whatever passed
src/schedule/Scheduler.cpp @@ m_platform.releaseAwake(); @@  @@ Cancel keeps the machine awake
src/schedule/Scheduler.cpp @@ if (endsProgram(action) && delivery != Delivery::NotSent) @@ if (endsProgram(action)) @@ Log Off ends the program before its request left
src/schedule/WhenToAsk.cpp @@ m_moment.reset(); // choosing "by Count Down" ends a moment still due @@  @@ choosing by Count Down does not end a moment
src/schedule/WhenToAsk.cpp @@ } else if (m_moment && (!tick.met || m_moment->targetSecond != tick.targetSecond)) { @@ } else if (m_moment && !tick.met) { @@ a new target does not end a moment
src/schedule/WhenToAsk.cpp @@ m_request.reset();
    m_moment.reset(); @@ m_request.reset(); @@ Ok does not end a moment
src/schedule/WhenToAsk.cpp @@ tick.atMs - m_moment->crossedAtMs > momentLastsMs @@ false @@ a refused set time asked for ever
src/schedule/WhenToAsk.cpp @@ return trigger == Trigger::CountDown ? Verdict::Hold : Verdict::Done; @@ return Verdict::Hold; @@ an accepted set time held, not done
src/schedule/WhenToAsk.cpp @@ if (tick.fresh)
        m_request.reset(); // it ran down again: a new request @@  @@ a count-down run down again not asked anew
src/schedule/DateValue.cpp @@ day += 1; @@  @@ a time rounded up to a whole day not carried into the next day
src/schedule/PickerFields.cpp @@ return ordered(next) < ordered(first) || ordered(last) < ordered(next) ? value : next; @@ return next; @@ a step passes the picker's end
src/schedule/PickerFields.cpp @@ typing.typedDay = wanted; @@  @@ a typed day the month cut is forgotten
src/window/Placement.cpp @@ return std::clamp(start, areaStart, areaStart + areaLength - length); @@ return std::clamp(start, areaStart, areaStart + areaLength - length - 1); @@ the window moved a pixel too far
src/platform/qt/MainWindow.cpp @@ return !(focus && (control == focus || control->isAncestorOf(focus))); @@ return !(control == focus || control->isAncestorOf(focus) || !focus); @@ the wheel acted on with no focus in the window
src/platform/qt/MainWindow.cpp @@ ->isAutoRepeat() &&
        qobject_cast<QAbstractButton *>(watched)) @@ ->isAutoRepeat()) @@ a held key's repeats swallowed in a picker too
src/platform/qt/Pickers.cpp @@ if (m_beforeEdit)
        return *m_beforeEdit; @@  @@ a picker's half-typed value given to the tick
src/platform/linux/DBusSessionEnder.cpp @@ if (!m_buses.sessionKnown()) { @@ if (false) { @@ logind asked before the session bus has answered
src/platform/linux/DBusSessionEnder.cpp @@ if (number == m_lastSent) @@ if (true) @@ a late answer to an older request taken for the newest
src/platform/linux/BusSocket.cpp @@ text += static_cast<char>(byte); @@ text += value[i]; @@ a bus address's %xx escapes not decoded
src/platform/linux/BusSocket.cpp @@ std::string name(abstract ? 1 : 0, '\0'); @@ std::string name; @@ an abstract socket's name without its NUL byte
src/platform/linux/BusLink.cpp @@ constexpr int longestPauseMs = 4000; @@ constexpr int longestPauseMs = 16000; @@ a longer cap on the pause between attempts
src/platform/linux/BusLink.cpp @@ m_pauseMs = 0; @@  @@ the pause not reset after a connection
src/platform/linux/SessionBuses.cpp @@ m_session.onLost = [this] {
        forget(); @@ m_session.onLost = [this] { @@ the desktops not forgotten when the session bus is lost
src/platform/linux/DBusSleepHold.cpp @@ QVariant::fromValue(4U) @@ QVariant::fromValue(12U) @@ GNOME's hold keeps the screen lit too
src/platform/linux/DBusSleepHold.cpp @@ letGo(*m_held); @@  @@ a new reason's hold leaves the old one held
src/platform/linux/DBusSleepHold.cpp @@ m_retry.start( @@ static_cast<void>( @@ a hold that failed never tried again
LIST
)
scratch=build/mutants
rm -rf "$scratch" && mkdir -p "$scratch"
git ls-files -z | xargs -0 cp --parents -t "$scratch"
cmake -S "$scratch" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$scratch/build" >/dev/null
run_tests() {
  (cd "$scratch/build" && RC_PARAMS=max_success=6000 ctest -R '^tst_' --timeout 120 >/dev/null 2>&1)
}
run_tests || { echo "mutants: the unmutated tree fails its tests" >&2; exit 1; }
missed=0 total=0
while IFS= read -r line; do
  [ -n "$line" ] || continue
  IFS=$'\x1f' read -r file from to what < <(sed 's/ @@ /\x1f/g' <<<"$line")
  [ -z "$only" ] || grep -q -- "$only" <<<"$what" || continue
  total=$((total + 1))
  target="$scratch/$file"
  original=$(<"$target")
  from=${from//\\n/$'\n'} to=${to//\\n/$'\n'}
  changed=${original/"$from"/"$to"}
  if [ "$changed" = "$original" ]; then echo "NOT FOUND  $what ($file)"; continue; fi
  printf '%s\n' "$changed" >"$target"
  if ! cmake --build "$scratch/build" >/dev/null 2>&1; then
    echo "NO BUILD   $what"
  elif run_tests; then
    echo "MISSED     $what"; missed=$((missed + 1))
  else
    echo "caught     $what"
  fi
  printf '%s\n' "$original" >"$target"
done < <(awk '{ entry = entry (entry == "" ? "" : "\\n") $0 } gsub(/ @@ /, "&", entry) == 3 { print entry; entry = "" }' <<<"$faults")
cmake --build "$scratch/build" >/dev/null
echo "mutants: $missed missed of $total"
