// Any bytes as an XML file and as a resource manifest: a result or an
// error, never a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/app/ResourceManager.h"
#include "framework/app/XmlParser.h"

namespace
{

class NoServices : public Framework::ResourceServices
{
public:
    Framework::SharedImageCache::Result GetSharedImage(const std::string&, const std::string&) override { return {}; }
    void ShowErrorBox(const std::string&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (bool comments : {false, true})
    {
        Framework::XMLParser parser;
        parser.AllowComments(comments);
        parser.OpenText(text, "fuzz.xml");
        Framework::XMLElement element;
        while (parser.NextElement(element))
        {
        }
    }
    NoServices services;
    Framework::ResourceManager manager(&services);
    if (manager.ReadManifestText(text, "fuzz.xml"))
    {
        manager.CountResources("");
        manager.LoadGroup("");
    }
    return 0;
}
