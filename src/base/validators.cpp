#include "base/validators.h"
