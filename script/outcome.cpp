#include "script/outcome.h"

#include <system_error>

namespace nosk::script {

std::string ErrorText(int errorNumber) { return std::generic_category().message(errorNumber); }

}  // namespace nosk::script
