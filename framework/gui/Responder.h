// Modal seams: every modal question the program asks (message boxes, file dialogs, the colour
// chooser, help, pop-up menus, input boxes, the installer's questions) goes through a seam that
// a test can answer in place of a window. A seam is a type; its current responder is one
// function. Production code asks the seam first and shows the real window only when no
// responder is installed; a test installs a responder for its scope.
//
//   struct FileOpenRequest { std::string title; ... };
//   using FileOpenSeam = fw::ModalSeam<struct FileOpenTag, std::string(const FileOpenRequest&)>;
//   ...
//   if (auto& answer = FileOpenSeam::Current()) return answer(request);
//   ...
//   fw::Responder<FileOpenSeam> answer([](const FileOpenRequest&) { return "a.sl4"; });
#pragma once

#include <functional>
#include <utility>

namespace fw {

template <typename Tag, typename Signature>
class ModalSeam {
public:
    using Function = std::function<Signature>;

    // The responder in force; empty when the real window is to be shown.
    static Function& Current() {
        static Function current;
        return current;
    }

    // Installs a responder (empty: back to real windows) and returns the one it replaces.
    static Function Set(Function responder) {
        return std::exchange(Current(), std::move(responder));
    }
};

// Installs a responder on a seam for its own lifetime and restores the previous one after.
template <typename Seam>
class Responder {
public:
    explicit Responder(typename Seam::Function responder)
        : previous_(Seam::Set(std::move(responder))) {}
    ~Responder() { Seam::Set(std::move(previous_)); }
    Responder(const Responder&) = delete;
    Responder& operator=(const Responder&) = delete;

private:
    typename Seam::Function previous_;
};

}  // namespace fw
