#pragma once
// The comparison of an original and a modified dictionary (to be written).
