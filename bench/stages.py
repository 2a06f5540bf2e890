#!/usr/bin/env python3
"""Reads the headless run's progress lines on stdin, timestamps them, and prints the time spent
per stage of the update run as `stage seconds` lines when the input ends."""
import sys
import time

start = time.monotonic()
marks = []  # (seconds since start, line)
for raw in sys.stdin.buffer:
    marks.append((time.monotonic() - start, raw.decode("utf-8", "replace").rstrip("\n")))
end = time.monotonic() - start

second_pass_seen = False
totals = {}


def stage_of(line):
    global second_pass_seen
    if "_All" in line or line.endswith("_0") or "_0  " in line:
        second_pass_seen = True
        return "second pass"
    if line.startswith("กำลังเปลี่ยนราคา") or line.startswith("กำลังย้ายข้อมูล"):
        return "second pass" if second_pass_seen else "transfer"
    if line.startswith("กำลังเพิ่มข้อมูลใหม่"):
        if line.rstrip().endswith("100 %") and "_" not in line:
            return "second pass" if second_pass_seen else "transfer"
        return "adding"
    if line.startswith("กำลังครวจสอบข้อมูล") or line.startswith("กำลังตรวจสอบข้อมูล"):
        return "report" if second_pass_seen else "check"
    if line.startswith("จัดระเบียบเบอร์แทนใหม่"):
        return "rebuild"
    return "open and close"


for i, (at, line) in enumerate(marks):
    until = marks[i + 1][0] if i + 1 < len(marks) else end
    stage = stage_of(line)
    totals[stage] = totals.get(stage, 0.0) + (until - at)

for stage in ["transfer", "adding", "check", "second pass", "report", "rebuild", "open and close"]:
    if stage in totals:
        print(f"{stage} {totals[stage]:.2f}")
