#!/usr/bin/env bash
# The chart library's dependencies point one way. Its private code lies in folders by concern,
# from the bottom up: data, axes, render, interaction; then the widget (the files at the top of
# src/zeph/chart); above it accessibility and output. A private file includes only headers of its
# own folder or of a lower one; only the widget, accessibility and output include zephchart.h; a
# public header includes no private one.
set -euo pipefail

source_dir="${VARACTOR_SOURCE_DIR:?VARACTOR_SOURCE_DIR must name the source tree}"
python3 - "$source_dir/src/zeph/chart" <<'PY'
import pathlib, re, sys

chart = pathlib.Path(sys.argv[1])
levels = {'data': 0, 'axes': 1, 'render': 2, 'interaction': 3, '': 4, 'accessibility': 5, 'output': 5}
include = re.compile(r'^\s*#\s*include\s+"zeph/chart/([^"]+)"', re.M)

def folder(relative):
    parts = pathlib.PurePosixPath(relative).parts
    return parts[0] if len(parts) > 1 else ''

def is_private(relative):
    return folder(relative) != '' or relative.endswith('_p.h') or relative.endswith('.cpp')

problems = {}
for path in sorted(chart.rglob('*')):
    if path.suffix not in ('.h', '.cpp'):
        continue
    name = path.relative_to(chart).as_posix()
    if folder(name) not in levels:
        problems.setdefault(name, []).append('lies in a folder of no known level')
        continue
    for target in include.findall(path.read_text()):
        if target.endswith('_export.h'):
            continue
        if not is_private(name):
            if is_private(target):
                problems.setdefault(name, []).append(f'public header includes private {target}')
            continue
        if target in ('zephchart.h', 'zephchart_p.h') and levels[folder(name)] < levels['']:
            problems.setdefault(name, []).append(f'includes the widget ({target})')
        elif is_private(target) and levels[folder(target)] > levels[folder(name)]:
            problems.setdefault(name, []).append(f'includes {target} of a higher folder')
        elif (is_private(target) and levels[folder(target)] == levels[folder(name)]
              and folder(target) != folder(name)):
            problems.setdefault(name, []).append(f'includes {target} of a sibling folder')

for name, reasons in sorted(problems.items()):
    for reason in reasons:
        print(f'chart_layering_test: {name} {reason}', file=sys.stderr)
if problems:
    sys.exit(1)
print('chart_layering_test: layering kept')
PY
