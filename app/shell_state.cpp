#include "app/shell_state.h"

ShellState shell;
