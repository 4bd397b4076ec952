// Compiled with the include set of one layer: a header of that layer, which must be found, then
// a header the layer must not see, which must not be.
#include QLN_OWN_HEADER
#include QLN_UPWARD_HEADER
