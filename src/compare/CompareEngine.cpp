#include "compare/CompareEngine.h"
