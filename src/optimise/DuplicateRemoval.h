#pragma once
// Removal of repeated words from a sorted word list (to be written).
