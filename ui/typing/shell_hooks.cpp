#include "ui/typing/shell_hooks.h"

namespace lekhora {

ShellHooks& Shell() {
  static ShellHooks hooks;
  return hooks;
}

}  // namespace lekhora
