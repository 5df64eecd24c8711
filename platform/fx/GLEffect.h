#pragma once
// The effect on OpenGL: one GLSL program per pass, compiled when the file loads; the parameters reach
// the pass's program when a pass begins and at every CommitChanges.
#include <epoxy/gl.h>

#include <string>
#include <vector>

#include "platform/fx/EffectBase.h"

class GLDevice;

class GLEffect : public EffectBase {
public:
    // Compiles every pass; null with the compiler's messages in error when one fails.
    static GLEffect* Create(GLDevice* device, EffectSource source, const std::string& fileName, std::string& error);

protected:
    ~GLEffect() override;
    void OnBeginPass(size_t technique, size_t pass) override;
    void OnCommit() override;
    void OnEndPass() override;

private:
    struct Program {
        GLuint id = 0;
        std::vector<GLint> locations;  // per parameter, -1 where the program does not use it
    };
    GLEffect(GLDevice* device, EffectSource source);
    bool Compile(const std::string& fileName, std::string& error);

    GLDevice* glDevice;
    std::vector<std::vector<Program>> programs;  // [technique][pass]
    std::vector<GLuint> samplers;                // per parameter (0 for non-textures)
    const Program* current = nullptr;
};
