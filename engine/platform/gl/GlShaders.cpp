#include "engine/platform/gl/GlShaders.h"

namespace Platform {

const char* const FIXED_VERTEX_PROGRAM = R"(#version 330 core
layout(location = 0) in vec3 a_position;
layout(location = 1) in vec4 a_weights;
layout(location = 2) in vec4 a_indices;
layout(location = 3) in vec3 a_normal;
layout(location = 4) in vec4 a_color;
layout(location = 6) in vec2 a_texcoord;

uniform mat4 u_world[48];
uniform mat4 u_viewProj;
uniform int u_blendWeights;
uniform bool u_indexedBlend;
uniform bool u_lighting;
uniform bool u_vertexColor;
uniform vec4 u_ambient;
uniform vec4 u_matDiffuse;
uniform vec4 u_matAmbient;
uniform vec4 u_matEmissive;
uniform int u_lightCount;
uniform vec4 u_lightDiffuse[8];
uniform vec4 u_lightAmbient[8];
uniform vec4 u_lightPosition[8];  // xyz, w = type
uniform vec4 u_lightDirection[8]; // xyz, w = range
uniform vec4 u_lightFactors[8];   // attenuation 0, 1, 2, falloff
uniform vec2 u_lightCone[8];      // cos(theta / 2), cos(phi / 2)
uniform vec2 u_pixelOffset;

out vec4 v_color;
out vec2 v_texcoord;

mat4 worldMatrix(int i) {
    int index = u_indexedBlend ? int(a_indices[i] + 0.5) : i;
    return u_world[clamp(index, 0, 47)];
}

void main() {
    vec4 position = vec4(a_position, 1.0);
    vec4 world;
    vec3 normal;
    if (u_blendWeights > 0) {
        world = vec4(0.0);
        normal = vec3(0.0);
        float rest = 1.0;
        for (int i = 0; i < u_blendWeights; ++i) {
            mat4 m = worldMatrix(i);
            world += a_weights[i] * (m * position);
            normal += a_weights[i] * (mat3(m) * a_normal);
            rest -= a_weights[i];
        }
        mat4 last = worldMatrix(u_blendWeights);
        world += rest * (last * position);
        normal += rest * (mat3(last) * a_normal);
    } else {
        world = u_world[0] * position;
        normal = mat3(u_world[0]) * a_normal;
    }
    gl_Position = u_viewProj * world;
    // The engine's clip space has z in [0, w] and pixel centres on integer coordinates.
    gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;
    gl_Position.xy += u_pixelOffset * gl_Position.w;
    v_texcoord = a_texcoord;

    if (!u_lighting) {
        v_color = a_color;
        return;
    }
    vec4 diffuseMaterial = u_vertexColor ? a_color : u_matDiffuse;
    vec3 n = length(normal) > 0.0 ? normalize(normal) : vec3(0.0);
    vec3 ambient = u_ambient.rgb;
    vec3 diffuse = vec3(0.0);
    for (int i = 0; i < u_lightCount; ++i) {
        int type = int(u_lightPosition[i].w + 0.5);
        vec3 toLight;
        float attenuation = 1.0;
        if (type == 3) {
            toLight = -normalize(u_lightDirection[i].xyz);
        } else {
            vec3 d = u_lightPosition[i].xyz - world.xyz;
            float distance = length(d);
            if (distance > u_lightDirection[i].w) {
                continue;
            }
            toLight = distance > 0.0 ? d / distance : vec3(0.0);
            float divisor = u_lightFactors[i].x + u_lightFactors[i].y * distance +
                            u_lightFactors[i].z * distance * distance;
            attenuation = divisor > 0.0 ? 1.0 / divisor : 1.0;
            if (type == 2) {
                float rho = dot(-toLight, normalize(u_lightDirection[i].xyz));
                if (rho <= u_lightCone[i].y) {
                    attenuation = 0.0;
                } else if (rho < u_lightCone[i].x) {
                    float t = (rho - u_lightCone[i].y) / max(u_lightCone[i].x - u_lightCone[i].y, 1e-6);
                    attenuation *= pow(t, u_lightFactors[i].w);
                }
            }
        }
        ambient += attenuation * u_lightAmbient[i].rgb;
        diffuse += attenuation * max(dot(n, toLight), 0.0) * u_lightDiffuse[i].rgb;
    }
    vec3 color = u_matEmissive.rgb + u_matAmbient.rgb * ambient + diffuseMaterial.rgb * diffuse;
    v_color = clamp(vec4(color, diffuseMaterial.a), 0.0, 1.0);
}
)";

const char* const FRAGMENT_PROGRAM = R"(#version 330 core
in vec4 v_color;
in vec2 v_texcoord;

uniform sampler2D u_texture;
uniform bool u_textured;
uniform bool u_alphaTest;
uniform int u_alphaFunc;
uniform float u_alphaRef;

out vec4 o_color;

bool passes(float a, float reference) {
    if (u_alphaFunc == 1) return false;
    if (u_alphaFunc == 2) return a < reference;
    if (u_alphaFunc == 3) return a == reference;
    if (u_alphaFunc == 4) return a <= reference;
    if (u_alphaFunc == 5) return a > reference;
    if (u_alphaFunc == 6) return a != reference;
    if (u_alphaFunc == 7) return a >= reference;
    return true;
}

void main() {
    vec4 color = v_color;
    if (u_textured) {
        color *= texture(u_texture, v_texcoord);
    }
    // The alpha test compares 8-bit values, as the engine's references are.
    if (u_alphaTest && !passes(floor(color.a * 255.0 + 0.5), u_alphaRef)) {
        discard;
    }
    o_color = color;
}
)";

} // namespace Platform
