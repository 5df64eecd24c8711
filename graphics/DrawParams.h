#pragma once
// How the shaders draw one mesh. Every mesh has one; every placed object has its own and swaps it into
// the shared mesh for the length of its draw.

struct DrawParams {
    float specularScale = 0.0f;  // multiplies the specular colour
    float emissivePower = 0.9f;
    float vectorA[3] = {0, 0, 0};
    float vectorB[4] = {0, 0, 0, 0};
    float vectorC[3] = {0, 0, 0};
    float scalarA = 30.0f;
    float scalarB = 80.0f;
    float alphaTest = 1.0f;
    float reflection = 0.5f;
    bool flag = false;
    int clip = 0;
    int refract = 0;
    int lighting = 1;
    float alpha = 1.0f;  // below 1 the object counts as translucent
    int edge = 1;        // outline drawn
    int castShadow = 1;  // drawn into the shadow map
};
