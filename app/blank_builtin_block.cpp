// The plain player carries an empty built-in block: tevra-pack writes a quiz's
// block into its section when it turns a copy into a quiz executable.
#include "quiz/builtin_block.h"

TEVRA_BUILTIN_SECTION const unsigned char kBuiltinBlock[kBuiltinBlockSize] = {};
