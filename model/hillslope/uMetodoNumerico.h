#pragma once
// Which numerical method a trace uses: the original explicit scheme (the
// default, comparable with earlier projects) or the solvers refined until the
// peak converges. Settings and callers name it without the solvers.

enum class TMetodoNumerico { Original, Convergido };
