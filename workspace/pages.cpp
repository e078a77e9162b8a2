#include "workspace/pages.h"

#include "workspace/base64/base64_page.h"
#include "workspace/byteset/byteset_page.h"
#include "workspace/md5/md5_page.h"
#include "workspace/radix/radix_page.h"
#include "workspace/unicode/unicode_page.h"
#include "workspace/url/url_page.h"

namespace yz {
namespace {

const PageUnit kUnits[] = {
    {1, ByteSetPageControls, ConvertToByteSet, RegisterByteSetHandlers},
    {2, RadixPageControls, ConvertToHex, RegisterRadixHandlers},
    {3, UrlPageControls, ConvertToUrl, RegisterUrlHandlers},
    {4, Base64PageControls, ConvertToBase64, RegisterBase64Handlers},
    {5, UnicodePageControls, ConvertToUnicode, RegisterUnicodeHandlers},
    {6, Md5PageControls, ConvertToMd5, RegisterMd5Handlers},
};

}  // namespace

std::span<const PageUnit> PageUnits() { return kUnits; }

}  // namespace yz
