// Self-drawn hyperlink control (placeholder until the control lands).
#pragma once
