// Documents: the data a program opens from a file and shows in one or more views. A document
// knows its path, title, template and manager, its views (which it tells of changes through
// numbered notifications), and answers the questions the document manager asks: is it dirty,
// may it close, open it, commit it, revert it. Its named properties let the program find a
// document by what it is ("Document Name") without knowing its class.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fw {

class DocManager;
class DocTemplate;
class View;

// Open modes handed to Document::Open.
constexpr int ofRead = 0x0001;
constexpr int ofWrite = 0x0002;
constexpr int ofReadWrite = ofRead | ofWrite;

// Property flags.
constexpr int pfGetText = 1;    // the property can be read as text
constexpr int pfGetBinary = 2;  // ... as binary data
constexpr int pfConstant = 4;   // it never changes
constexpr int pfSettable = 8;   // it can be set
constexpr int pfHidden = 32;    // not shown to the user

// Framework notifications to views (the program's own start higher, e.g. 779 and 6900).
constexpr int vnViewOpened = 1;
constexpr int vnViewClosed = 2;
constexpr int vnDocOpened = 3;
constexpr int vnDocClosed = 4;
constexpr int vnCommit = 5;
constexpr int vnRevert = 6;
constexpr int vnIsDirty = 7;

// Framework message numbers and their texts (PostDocError and the save prompt).
constexpr int IDS_UNABLEOPEN = 32504;
constexpr int IDS_UNABLECLOSE = 32505;
constexpr int IDS_UNABLESAVE = 32506;
constexpr int IDS_DOCCHANGED = 32508;
// The text of a framework message number ("" for an unknown one).
std::string DocumentMessageText(int id);

class Document {
public:
    // Property numbers 1-5; file documents add five more (FileDocument).
    enum { DocumentClass = 1, TemplateName, ViewCount, StoragePath, DocTitle, NextProperty };

    Document();
    // Deletes the views still attached (their windows go with them) and leaves the manager.
    virtual ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // --- life cycle, as the manager drives it --------------------------------------------
    // Asked once after construction; false and the manager drops the document.
    virtual bool InitDoc() { return true; }
    // Reads the document (from its path when path is empty); true on success.
    virtual bool Open(int mode, const std::string& path = {});
    // Ends the document's use of its storage; true on success. The views are told
    // vnDocClosed.
    virtual bool Close();
    // Writes the document; the base tells the views vnCommit and clears the dirty flag.
    virtual bool Commit(bool force = false);
    // Throws away the changes (clear: leave the document empty); the base tells the views
    // vnRevert and clears the dirty flag.
    virtual bool Revert(bool clear = false);
    // The dirty flag, or a view that says it holds changes (vnIsDirty).
    virtual bool IsDirty();
    virtual bool IsOpen() { return open_; }
    // May the document close now? The base asks the manager's save prompt (FlushDoc).
    virtual bool CanClose();
    // Embedded documents are saved with their container without asking.
    virtual bool IsEmbedded() const { return false; }

    void SetDirty(bool dirty = true) { dirty_ = dirty; }
    // The manager records whether Open succeeded.
    void SetOpenState(bool open) { open_ = open; }

    // --- path, title, template, manager --------------------------------------------------
    const std::string& GetDocPath() const { return path_; }
    // Sets the path; the title becomes its file name.
    virtual bool SetDocPath(const std::string& path);
    const std::string& GetTitle() const { return title_; }
    // Sets the title and hands it to every view's frame.
    virtual void SetTitle(const std::string& title);
    DocTemplate* GetTemplate() const { return template_; }
    virtual bool SetTemplate(DocTemplate* tpl);
    DocManager* GetDocManager() const { return manager_; }
    void SetDocManager(DocManager* manager) { manager_ = manager; }

    // --- views -------------------------------------------------------------------------
    const std::vector<View*>& GetViews() const { return views_; }
    View* FirstView() const { return views_.empty() ? nullptr : views_.front(); }
    // Sends a notification with its argument to every view (but exclude); true when every
    // view that received it handled it.
    bool NotifyViews(int event, std::intptr_t arg = 0, View* exclude = nullptr);
    // True as soon as one view answers the notification with true.
    bool QueryViews(int event, std::intptr_t arg = 0, View* exclude = nullptr);

    // --- properties --------------------------------------------------------------------
    virtual int PropertyCount() { return NextProperty - 1; }
    // Number of the property named so, 0 when none.
    virtual int FindProperty(const std::string& name);
    virtual int PropertyFlags(int index);
    // Name of a property, "" when none.
    virtual std::string PropertyName(int index);
    // Writes the property as text into buffer (at most size - 1 characters and a zero) and
    // returns the characters written; with size 0 returns the length the text needs. 0 for a
    // property that is not text.
    virtual int GetProperty(int index, char* buffer, int size);
    virtual bool SetProperty(int index, const std::string& value);
    // The property found by name as text; "" when there is none.
    std::string PropertyText(const std::string& name);

    // Shows a framework message (IDS_UNABLECLOSE ...) about this document.
    void PostError(int messageId);

protected:
    // Text value of one of the properties of this class ("" when not text).
    virtual std::string PropertyValue(int index);
    // Writes a text into a property buffer as GetProperty does.
    static int CopyPropertyText(const std::string& text, char* buffer, int size);

private:
    friend class View;
    friend class DocManager;
    void AttachView(View* view);
    // Removes a view; the last view of an auto-deleting template closes the document.
    void DetachView(View* view);

    std::string path_;
    std::string title_;
    DocTemplate* template_ = nullptr;
    DocManager* manager_ = nullptr;
    std::vector<View*> views_;
    bool dirty_ = false;
    bool open_ = false;
    bool destroying_ = false;
};

// A document kept in one file: adds the file's times, size and handle as properties 6-10.
class FileDocument : public Document {
public:
    enum { CreateTime = Document::NextProperty, ModifyTime, AccessTime, StorageSize, FileHandle,
           NextProperty };

    int PropertyCount() override { return NextProperty - 1; }
    int FindProperty(const std::string& name) override;
    int PropertyFlags(int index) override;
    std::string PropertyName(int index) override;

protected:
    std::string PropertyValue(int index) override;
};

} // namespace fw
