#include "optimise/DuplicateRemoval.h"
