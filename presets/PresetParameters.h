// What the presets need of the effect, and nothing more: read a parameter, and set one
// the way a user's change is set (stored, and reported to the host as automation). The
// editor implements it over the effect, the command-line host over a loaded plug-in.
#pragma once

class PresetParameters {
public:
    virtual float getParameter(int index) = 0;
    virtual void setParameterAutomated(int index, float value) = 0;

protected:
    ~PresetParameters() = default;
};
