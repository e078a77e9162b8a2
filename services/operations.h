// The shared data operations in one include: text and byte-sequence handling,
// conversions between values, text and bytes, arithmetic, reading a file and
// the MD5 digest.
#pragma once

#include "services/arithmetic.h"
#include "services/byte_ops.h"
#include "services/conversions.h"
#include "services/file_bytes.h"
#include "services/md5.h"
#include "services/text_ops.h"
#include "services/value_kinds.h"
