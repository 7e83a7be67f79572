#!/usr/bin/env bash
# The code builds with QT_NO_KEYWORDS: rewrites emit/signals/slots to Q_EMIT/Q_SIGNALS/Q_SLOTS.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'benchmarks/*.cpp' 'tools/*.cpp' | xargs sed -i -E \
  -e 's/^(\s*)emit /\1Q_EMIT /' -e 's/^(\s*)signals:/\1Q_SIGNALS:/' -e 's/^(\s*)(public|private|protected) slots:/\1\2 Q_SLOTS:/'
