// ResourceManager: knows every image, sound and font of the game by its
// identifier. It reads their definitions from the XML manifest, loads them
// group by group (all at once with LoadGroup, or one resource per LoadStep so
// that a loading screen can show progress), hands them out by identifier and
// frees them again by group.
//
// Ownership: the manager owns its records; images are shared with whoever
// keeps the returned pointer, fonts are only referenced and live until their
// group is freed. The host (image loading, sounds, error boxes) must outlive
// the manager.
//
// Errors: every failure goes through RecordError and only the first one
// counts (" on Line N" and " in File 'f'" are appended while the manifest is
// read); it stays until the next LoadGroup. The Require operations throw
// ResourceManagerException carrying the error text.
//
// Threads: the manifest is read and the first groups are loaded on the main
// thread; one later group may be loaded on a loading thread while the main
// thread reads records of groups already loaded (the record maps do not
// change shape after the manifest is read). The error state and the set of
// loaded groups are guarded by a lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>

#include "framework/app/ResourceRecords.h"
#include "framework/app/ResourceServices.h"

namespace Framework
{

class XMLParser;
struct XMLElement;

class ResourceManagerException : public std::runtime_error
{
public:
    explicit ResourceManagerException(const std::string& message) : std::runtime_error(message) {}
};

class ResourceManager
{
public:
    using ResMap = std::map<std::string, std::unique_ptr<BaseRes>>;

    explicit ResourceManager(ResourceServices* services);
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;
    virtual ~ResourceManager();

    bool ReadManifest(const std::string& path);
    // Reads manifest text held in memory as if it were the file `name`.
    bool ReadManifestText(const std::string& text, const std::string& name);
    // Records of `group` that the manager loads (all records when empty).
    int32_t CountResources(const std::string& group) const;
    bool HasFailed() const { return failed; }
    std::string ErrorText() const;
    // Stores message when no error is stored yet; always false.
    bool RecordError(const std::string& message);

    virtual void FreeGroup(const std::string& group);
    virtual void FreeGroupInMap(ResMap& map, const std::string& group);
    virtual bool LoadImageRecord(ImageRes& record);
    virtual bool LoadFontRecord(FontRes& record);
    virtual bool StepImages();
    virtual bool StepSounds();
    virtual bool StepFonts();
    // Loads the next resource of the group begun; false when none is left
    // or an error is pending.
    virtual bool LoadStep();
    virtual void BeginGroupLoad(const std::string& group);
    virtual bool LoadGroup(const std::string& group);
    virtual std::shared_ptr<DDImage> RequireImage(const std::string& id);
    virtual int32_t RequireSound(const std::string& id);
    virtual Font* RequireFont(const std::string& id);

    bool IsGroupLoaded(const std::string& group) const;
    // The record defined under id, or null.
    const ImageRes* FindImage(const std::string& id) const;
    const SoundRes* FindSound(const std::string& id) const;
    const FontRes* FindFont(const std::string& id) const;
    const ResMap& Images() const { return imageMap; }
    const ResMap& Sounds() const { return soundMap; }
    const ResMap& Fonts() const { return fontMap; }

    // When set, Require of a "!program" resource gives null / -1 instead of
    // an error.
    bool tolerateProgramMade = false;

private:
    bool ReadManifestWith(XMLParser& xml);
    bool ParseManifestBody();
    bool ParseGroup(const std::string& group);
    bool ParseResource(const XMLElement& element, BaseRes::ResType type, const std::string& group);
    void ParseSetDefaults(const XMLElement& element);
    bool ParseImageAttributes(ImageRes& record);
    bool Step(ResMap& map, ResMap::iterator& position);
    bool LoadSoundRecord(SoundRes& record);
    // The host's display colour key around image loading.
    bool LoadAlphaInto(DDImage& image, const std::string& alphaPath, bool grid, const std::string& imagePath);

    ResourceServices* services;
    ResMap imageMap;
    ResMap soundMap;
    ResMap fontMap;
    std::set<std::string> loadedGroups;
    std::string defaultPath;
    std::string defaultIdPrefix;
    std::atomic<bool> failed{false};
    std::string errorMessage;
    mutable std::mutex stateMutex;
    XMLParser* parser = nullptr; // while the manifest is read
    std::string loadGroup;
    ResMap::iterator imagePos;
    ResMap::iterator soundPos;
    ResMap::iterator fontPos;
    int32_t nextSoundId = 0;
};

} // namespace Framework
