// The level tools' dice: the generator's, which lives in the model.
#pragma once

#include "model/Dice.h"

namespace zk::levels {

using zk::Dice;

} // namespace zk::levels
