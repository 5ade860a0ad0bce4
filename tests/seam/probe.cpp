// Compiled only by the seam tests: includes one header as a file of the program's would.
#include PROBE_HEADER
