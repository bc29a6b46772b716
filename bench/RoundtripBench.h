#pragma once

namespace lexor::bench {

// lexor-bench roundtrip IN OUT: loads IN with the real reader into a sorted
// list and writes it to OUT with the real writer; prints each phase's time
// and the peak memory.
int RunRoundtrip(int argc, char** argv);

} // namespace lexor::bench
